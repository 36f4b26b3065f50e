# The Debian package: `cpack -G DEB` in the build folder. Its files are the
# install rules' under /usr; it has no maintainer scripts, so installing or
# removing it touches nothing outside the files it lists (the desktop's menu
# and icon caches follow through their own triggers).

# The maker's address, as the about box shows it (src/app).
set(LEXMIRA_MAINTAINER "Lexmira developers <${LEXMIRA_CONTACT_EMAIL}>")

# Debian keeps a package's licences in /usr/share/doc/<package>/copyright,
# and the word lists' licence asks for its notice in every binary copy.
file(READ ${PROJECT_SOURCE_DIR}/data/wordlists/LICENSE WORDLISTS_LICENSE)
configure_file(${CMAKE_CURRENT_LIST_DIR}/copyright.in ${CMAKE_BINARY_DIR}/copyright @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/copyright DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/lexmira)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME lexmira)
set(CPACK_PACKAGE_VENDOR "Lexmira developers")
set(CPACK_PACKAGE_CONTACT "${LEXMIRA_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "English vocabulary drill with a Chinese interface")
set(CPACK_PACKAGE_DESCRIPTION
  "Lexmira shows English words one after another at the learner's pace, each
with its Chinese meaning and a short class text. Eight graded word libraries
come with it, from primary-school English to TOEFL, and it remembers the
library, the pace and the position between runs.
The lexmira-mdb tool lists, exports and writes its Jet (.mdb) databases.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${LEXMIRA_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${LEXMIRA_HOMEPAGE}")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The interface is Chinese: without a Chinese font its texts are boxes.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-wqy-zenhei | fonts-noto-cjk | fonts-arphic-uming")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
