# The maker's address, as the about box shows it (src/app).
set(LEXMIRA_MAINTAINER "Lexmira developers <${LEXMIRA_CONTACT_EMAIL}>")

# Debian keeps a package's licences in /usr/share/doc/<package>/copyright,
# and the word lists' licence asks for its notice in every binary copy.
file(READ ${PROJECT_SOURCE_DIR}/data/wordlists/LICENSE WORDLISTS_LICENSE)
configure_file(${CMAKE_CURRENT_LIST_DIR}/copyright.in ${CMAKE_BINARY_DIR}/copyright @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/copyright DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/lexmira)
