#include "app/faces.h"

#include <QFont>
#include <QStringList>

namespace lexmira {
namespace {

constexpr char kLatinSansFamily[] = "DejaVu Sans";
constexpr char kSongFamily[] = "AR PL UMing CN";

}  // namespace

void InstallFaceSubstitutes() {
  const QString interface_face = QString::fromUtf8(kInterfaceFontFamily);
  QFont::insertSubstitutions(QString::fromUtf8(kSansSerifFace),
                             {QString::fromUtf8(kLatinSansFamily), interface_face});
  QFont::insertSubstitution(QString::fromUtf8(kHeiFace), interface_face);
  QFont::insertSubstitution(QString::fromUtf8(kSongFace), QString::fromUtf8(kSongFamily));
}

}  // namespace lexmira
