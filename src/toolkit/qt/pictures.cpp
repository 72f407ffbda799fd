#include "pictures.h"

#include <QApplication>
#include <QIconEngine>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>

#include <utility>

namespace zelmor::qtui {

namespace {

std::map<QString, PictureDrawing>& drawings() {
    static std::map<QString, PictureDrawing> table;
    return table;
}

class PictureIconEngine : public QIconEngine {
  public:
    explicit PictureIconEngine(QString name) : name_(std::move(name)) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        painter->drawPixmap(rect, pixmap(rect.size(), mode, state));
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State) override {
        QPixmap pm = picture(name_, size);
        if (mode == QIcon::Disabled && !pm.isNull()) {
            QStyleOption opt;
            opt.palette = QApplication::palette();
            pm = QApplication::style()->generatedIconPixmap(mode, pm, &opt);
        }
        return pm;
    }

    QIconEngine* clone() const override { return new PictureIconEngine(name_); }
    QString key() const override { return QStringLiteral("zelmor-picture"); }
    bool isNull() override { return false; }

  private:
    QString name_;
};

}  // namespace

void setPictures(std::map<QString, PictureDrawing> pictures) {
    drawings() = std::move(pictures);
}

bool hasPicture(const QString& name) {
    return drawings().count(name) != 0;
}

QStringList pictureNames() {
    QStringList names;
    for (const auto& entry : drawings()) names.append(entry.first);
    return names;
}

QPixmap picture(const QString& name, QSize size) {
    auto it = drawings().find(name);
    if (it == drawings().end() || size.isEmpty()) return {};
    QPixmap pm(size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size.width() / 32.0, size.height() / 32.0);
    it->second(p);
    return pm;
}

QIcon pictureIcon(const QString& name) {
    if (!hasPicture(name)) return {};
    return QIcon(new PictureIconEngine(name));
}

}  // namespace zelmor::qtui
