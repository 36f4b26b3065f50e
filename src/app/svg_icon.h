// An icon drawn from an SVG file when a size of it is first needed.
#pragma once

#include <QIcon>
#include <QString>

namespace lexmira {

// QIcon(file) could draw the SVG too, but only after searching Qt's plugin
// folders for its SVG icon engine and loading it; drawing it here with
// QSvgRenderer spares start-up that search. `file` is usually a resource
// (":/name.svg").
QIcon SvgIcon(const QString& file);

}  // namespace lexmira
