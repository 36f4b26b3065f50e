#include "app/svg_icon.h"

#include <QIconEngine>
#include <QPainter>
#include <QSvgRenderer>

namespace lexmira {
namespace {

class SvgIconEngine final : public QIconEngine {
 public:
  explicit SvgIconEngine(QString file) : file_(std::move(file)) {}

  void paint(QPainter* painter, const QRect& rect, QIcon::Mode, QIcon::State) override {
    QSvgRenderer(file_).render(painter, rect);
  }
  QIconEngine* clone() const override { return new SvgIconEngine(file_); }
  QString key() const override { return QStringLiteral("lexmira-svg"); }

 private:
  const QString file_;
};

}  // namespace

QIcon SvgIcon(const QString& file) { return QIcon(new SvgIconEngine(file)); }

}  // namespace lexmira
