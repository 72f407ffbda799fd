#include "pictures.h"

#include <QPainter>
#include <QPainterPath>

namespace zelmor::app {

namespace {

QPen outline(QColor c, double width = 1.2) {
    QPen pen(c, width);
    pen.setJoinStyle(Qt::RoundJoin);
    pen.setCapStyle(Qt::RoundCap);
    return pen;
}

void punchCircle(QPainter& p, QPointF centre, double radius) {
    p.save();
    p.setCompositionMode(QPainter::CompositionMode_Clear);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    p.drawEllipse(centre, radius, radius);
    p.restore();
}

// A pencil whose tip is at the origin and whose body runs along +x.
void pencilAt(QPainter& p, QPointF tip, double angle) {
    p.save();
    p.translate(tip);
    p.rotate(angle);
    p.setPen(outline(QColor(60, 50, 30), 1.0));
    p.setBrush(QColor(235, 200, 150));
    p.drawPolygon(QPolygonF{{0, 0}, {5.5, -2.6}, {5.5, 2.6}});
    p.setBrush(QColor(40, 40, 40));
    p.drawPolygon(QPolygonF{{0, 0}, {1.8, -0.9}, {1.8, 0.9}});
    p.setBrush(QColor(250, 200, 40));
    p.drawRect(QRectF(5.5, -2.6, 11, 5.2));
    p.setBrush(QColor(180, 180, 190));
    p.drawRect(QRectF(16.5, -2.6, 2, 5.2));
    p.setBrush(QColor(240, 140, 160));
    p.drawRoundedRect(QRectF(18.5, -2.6, 3.5, 5.2), 1, 1);
    p.restore();
}

void floppy(QPainter& p) {
    p.setPen(outline(QColor(20, 30, 80)));
    p.setBrush(QColor(50, 85, 175));
    p.drawRoundedRect(QRectF(3.5, 3.5, 25, 25), 2, 2);
    p.setBrush(QColor(205, 210, 220));
    p.drawRect(QRectF(9, 3.5, 14, 9));
    p.setBrush(QColor(50, 85, 175));
    p.drawRect(QRectF(18, 5.5, 3, 5));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(7.5, 16.5, 17, 12));
    p.setPen(outline(QColor(150, 150, 160), 1.0));
    p.drawLine(QPointF(10, 20.5), QPointF(22, 20.5));
    p.drawLine(QPointF(10, 24), QPointF(22, 24));
}

// A small application window; returns its drawing area.
QRectF windowFrame(QPainter& p) {
    p.setPen(outline(QColor(40, 40, 60)));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(3.5, 5.5, 25, 21));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(20, 60, 160));
    p.drawRect(QRectF(4.1, 6.1, 23.8, 4.6));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(24, 7.3, 2.4, 2.2));
    return {6, 12.5, 20, 12};
}

void roundBadge(QPainter& p, QColor colour) {
    QRadialGradient g(QPointF(12, 10), 18);
    g.setColorAt(0, colour.lighter(150));
    g.setColorAt(1, colour);
    p.setPen(outline(colour.darker(160)));
    p.setBrush(g);
    p.drawEllipse(QRectF(2.5, 2.5, 27, 27));
}

void drawOpen(QPainter& p) {
    p.setPen(outline(QColor(128, 96, 0)));
    p.setBrush(QColor(222, 176, 56));
    QPainterPath back;
    back.moveTo(2.5, 7);
    back.lineTo(11, 7);
    back.lineTo(13.5, 9.5);
    back.lineTo(25, 9.5);
    back.lineTo(25, 25.5);
    back.lineTo(2.5, 25.5);
    back.closeSubpath();
    p.drawPath(back);
    p.setBrush(QColor(252, 216, 112));
    p.drawPolygon(QPolygonF{{7.5, 13.5}, {30, 13.5}, {25, 25.5}, {2.5, 25.5}});
}

void drawSave(QPainter& p) {
    floppy(p);
}

void drawSaveAs(QPainter& p) {
    p.save();
    p.scale(0.8, 0.8);
    floppy(p);
    p.restore();
    pencilAt(p, QPointF(14, 29.5), -45);
}

void drawDelete(QPainter& p) {
    p.setPen(outline(QColor(70, 70, 80)));
    p.setBrush(QColor(175, 180, 190));
    p.drawRect(QRectF(12.5, 3.5, 7, 2.5));
    p.drawRect(QRectF(5.5, 6, 21, 3.5));
    p.setBrush(QColor(205, 210, 218));
    p.drawPolygon(QPolygonF{{7.5, 10}, {24.5, 10}, {22.5, 28.5}, {9.5, 28.5}});
    p.setPen(outline(QColor(110, 110, 120), 1.4));
    for (double x : {12.5, 16.0, 19.5}) p.drawLine(QPointF(x, 13), QPointF(x, 25.5));
}

void drawPrint(QPainter& p) {
    p.setPen(outline(QColor(60, 60, 70)));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(9.5, 3.5, 13, 10));
    p.setBrush(QColor(185, 188, 198));
    p.drawRoundedRect(QRectF(3.5, 11.5, 25, 11), 2, 2);
    p.setBrush(QColor(60, 60, 70));
    p.drawRect(QRectF(8, 18, 16, 1.5));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(8.5, 19.5, 15, 9.5));
    p.setPen(outline(QColor(150, 150, 160), 1.0));
    p.drawLine(QPointF(11, 23), QPointF(21, 23));
    p.drawLine(QPointF(11, 26), QPointF(18, 26));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 200, 60));
    p.drawEllipse(QPointF(24.5, 14.8), 1.3, 1.3);
}

void drawWindowMenu(QPainter& p) {
    const QRectF area = windowFrame(p);
    for (int i = 0; i < 3; ++i) {
        const double y = area.top() + 2 + i * 4;
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(20, 60, 160));
        p.drawRect(QRectF(area.left() + 1, y - 1, 2.2, 2.2));
        p.setPen(outline(QColor(100, 100, 110), 1.5));
        p.drawLine(QPointF(area.left() + 5, y + 0.1), QPointF(area.right() - 1, y + 0.1));
    }
}

void drawWindowDrawing(QPainter& p) {
    windowFrame(p);
    p.setPen(outline(QColor(200, 30, 30), 1.6));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(QPolygonF{{7.5, 23.5}, {12, 15.5}, {17, 20.5}, {24.5, 13.5}});
    p.setPen(outline(QColor(20, 120, 40), 1.3));
    p.drawEllipse(QPointF(20.5, 21.5), 2.3, 2.3);
}

void drawWindowTitle(QPainter& p) {
    windowFrame(p);
    p.setPen(outline(QColor(30, 30, 40), 2.2));
    p.drawLine(QPointF(10.5, 15), QPointF(21.5, 15));
    p.setPen(outline(QColor(120, 120, 130), 1.2));
    p.drawLine(QPointF(8.5, 19), QPointF(23.5, 19));
    p.drawLine(QPointF(11.5, 22.5), QPointF(20.5, 22.5));
}

void drawColour(QPainter& p) {
    p.setPen(outline(QColor(120, 90, 40)));
    p.setBrush(QColor(238, 218, 172));
    p.drawEllipse(QRectF(2.5, 5.5, 27, 22));
    punchCircle(p, QPointF(20.5, 20.5), 2.8);
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(20.5, 20.5), 2.8, 2.8);
    const std::pair<QPointF, QColor> dots[] = {
        {{9, 12.5}, QColor(220, 30, 30)},
        {{15.5, 10}, QColor(250, 210, 0)},
        {{22, 12.5}, QColor(30, 160, 50)},
        {{8.5, 19.5}, QColor(30, 80, 210)},
    };
    p.setPen(Qt::NoPen);
    for (const auto& [centre, colour] : dots) {
        p.setBrush(colour);
        p.drawEllipse(centre, 2.6, 2.6);
    }
}

void badgeText(QPainter& p, const QString& text) {
    QFont f;
    f.setStyleHint(QFont::SansSerif);
    f.setBold(true);
    f.setPixelSize(21);
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(QRectF(2.5, 2.5, 27, 27), Qt::AlignCenter, text);
}

void drawHelp(QPainter& p) {
    roundBadge(p, QColor(30, 90, 200));
    badgeText(p, QStringLiteral("?"));
}

void drawAbout(QPainter& p) {
    roundBadge(p, QColor(30, 90, 200));
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(16, 9.5), 2.3, 2.3);
    p.drawRoundedRect(QRectF(13.8, 13.5, 4.4, 11.5), 1, 1);
}

void drawTips(QPainter& p) {
    p.setPen(outline(QColor(150, 120, 0)));
    QRadialGradient g(QPointF(14, 10), 11);
    g.setColorAt(0, QColor(255, 252, 200));
    g.setColorAt(1, QColor(255, 215, 40));
    p.setBrush(g);
    QPainterPath glass;
    glass.addEllipse(QPointF(16, 12.5), 8.5, 8.5);
    glass.addPolygon(QPolygonF{{11.5, 18.5}, {20.5, 18.5}, {19.5, 23.5}, {12.5, 23.5}});
    p.drawPath(glass.simplified());
    p.setPen(outline(QColor(220, 110, 0), 1.0));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(QPolygonF{{13.5, 13}, {15, 16.5}, {16, 13}, {17, 16.5}, {18.5, 13}});
    p.setPen(outline(QColor(70, 70, 80), 1.0));
    p.setBrush(QColor(160, 165, 175));
    p.drawRect(QRectF(12.5, 23.5, 7, 2.2));
    p.drawRect(QRectF(13, 25.7, 6, 2.2));
    p.setBrush(QColor(70, 70, 80));
    p.drawRect(QRectF(14.5, 27.9, 3, 1.4));
}

void drawSupport(QPainter& p) {
    const QRectF ring(2.5, 2.5, 27, 27);
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 8; ++i) {
        p.setBrush(i % 2 == 0 ? QColor(215, 35, 35) : QColor(250, 250, 250));
        // Wide red quarters with narrow white bands between them.
        const int start = (i / 2) * 90 + (i % 2 == 0 ? 0 : 65);
        const int span = i % 2 == 0 ? 65 : 25;
        p.drawPie(ring, (start + 10) * 16, span * 16);
    }
    punchCircle(p, QPointF(16, 16), 6.5);
    p.setPen(outline(QColor(110, 20, 20)));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(ring);
    p.drawEllipse(QPointF(16, 16), 6.5, 6.5);
}

// "ABC" over a tick: the title page's help calls the data check "il tasto ABC".
void drawCheck(QPainter& p) {
    QFont f;
    f.setStyleHint(QFont::SansSerif);
    f.setBold(true);
    f.setPixelSize(12);
    p.setFont(f);
    p.setPen(QColor(20, 40, 110));
    p.drawText(QRectF(0, 0, 32, 15), Qt::AlignCenter, QStringLiteral("ABC"));
    p.setPen(outline(QColor(0, 150, 40), 4));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(QPolygonF{{8, 21.5}, {13.5, 27.5}, {25, 15.5}});
}

void drawClear(QPainter& p) {
    p.setPen(outline(QColor(120, 75, 25), 2.6));
    p.drawLine(QPointF(26.5, 2.5), QPointF(16.5, 16.5));
    p.setPen(outline(QColor(140, 100, 30)));
    p.setBrush(QColor(228, 190, 90));
    const QPolygonF head{{13, 14.5}, {20, 18.5}, {16.5, 29.5}, {3, 23.5}};
    p.drawPolygon(head);
    p.setBrush(QColor(200, 40, 40));
    p.drawPolygon(QPolygonF{{13, 14.5}, {20, 18.5}, {19, 20.8}, {11.6, 16.8}});
    p.setPen(outline(QColor(160, 120, 40), 0.9));
    for (double t : {0.25, 0.5, 0.75}) {
        const QPointF top = QPointF(11.6, 16.8) + t * (QPointF(19, 20.8) - QPointF(11.6, 16.8));
        const QPointF bottom = QPointF(3, 23.5) + t * (QPointF(16.5, 29.5) - QPointF(3, 23.5));
        p.drawLine(top, bottom);
    }
}

void drawExit(QPainter& p) {
    p.setPen(outline(QColor(90, 50, 20)));
    p.setBrush(QColor(110, 70, 35));
    p.drawRect(QRectF(3.5, 3.5, 14, 25));
    p.setBrush(QColor(190, 130, 70));
    p.drawPolygon(QPolygonF{{3.5, 3.5}, {11.5, 6}, {11.5, 30.5}, {3.5, 28.5}});
    p.setBrush(QColor(250, 210, 80));
    p.drawEllipse(QPointF(9.5, 17.5), 1.1, 1.1);
    p.setPen(outline(QColor(0, 90, 20)));
    p.setBrush(QColor(40, 170, 60));
    p.drawPolygon(QPolygonF{
        {15.5, 13.5}, {22.5, 13.5}, {22.5, 9}, {30, 16}, {22.5, 23}, {22.5, 18.5}, {15.5, 18.5}});
}

void drawGuide(QPainter& p) {
    p.setPen(outline(QColor(20, 40, 110)));
    p.setBrush(QColor(40, 80, 170));
    p.drawPolygon(QPolygonF{{1.5, 9}, {16, 11}, {30.5, 9}, {30.5, 27.5}, {16, 29.5}, {1.5, 27.5}});
    p.setBrush(Qt::white);
    QPainterPath left;
    left.moveTo(16, 9);
    left.cubicTo(12, 6, 7, 5.5, 3.5, 6.5);
    left.lineTo(3.5, 25.5);
    left.cubicTo(7, 24.5, 12, 25, 16, 28);
    left.closeSubpath();
    p.drawPath(left);
    QTransform mirror(-1, 0, 0, 1, 32, 0);
    p.drawPath(mirror.map(left));
    p.setPen(outline(QColor(150, 150, 165), 1.0));
    for (int i = 0; i < 4; ++i) {
        const double y = 11 + i * 3.5;
        p.drawLine(QPointF(6, y), QPointF(13.5, y + 1));
        p.drawLine(QPointF(18.5, y + 1), QPointF(26, y));
    }
}

void drawAid(QPainter& p) {
    p.setPen(outline(QColor(80, 20, 20), 1.6));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(11.5, 5, 9, 6), 1.5, 1.5);
    p.setPen(outline(QColor(110, 15, 15)));
    p.setBrush(QColor(205, 35, 35));
    p.drawRoundedRect(QRectF(3.5, 9.5, 25, 18.5), 2.5, 2.5);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(13.8, 12.5, 4.4, 12.5));
    p.drawRect(QRectF(9.75, 16.55, 12.5, 4.4));
}

void drawDraw(QPainter& p) {
    p.setPen(outline(QColor(30, 80, 200), 2.0));
    p.setBrush(Qt::NoBrush);
    QPainterPath stroke;
    stroke.moveTo(3, 27);
    stroke.cubicTo(7, 18, 11, 30, 16, 21);
    p.drawPath(stroke);
    pencilAt(p, QPointF(16, 21), -50);
}

void drawNext(QPainter& p) {
    QLinearGradient g(0, 6, 0, 26);
    g.setColorAt(0, QColor(70, 170, 90));
    g.setColorAt(1, QColor(20, 110, 45));
    p.setPen(outline(QColor(10, 70, 25)));
    p.setBrush(g);
    p.drawPolygon(QPolygonF{
        {3, 11.5}, {16.5, 11.5}, {16.5, 4.5}, {29, 16}, {16.5, 27.5}, {16.5, 20.5}, {3, 20.5}});
}

void drawErase(QPainter& p) {
    p.save();
    p.translate(16, 15);
    p.rotate(-35);
    p.setPen(outline(QColor(70, 40, 50)));
    p.setBrush(QColor(242, 150, 170));
    p.drawRoundedRect(QRectF(-12, -5.5, 12, 11), 1.5, 1.5);
    p.setBrush(QColor(80, 120, 205));
    p.drawRoundedRect(QRectF(0, -5.5, 12, 11), 1.5, 1.5);
    p.restore();
    p.setPen(outline(QColor(120, 120, 130), 1.0));
    p.drawLine(QPointF(3, 28.5), QPointF(13, 28.5));
}

// A window with a red cross over its corner: the window goes away.
void drawClose(QPainter& p) {
    windowFrame(p);
    p.setPen(outline(QColor(120, 15, 15)));
    p.setBrush(QColor(210, 40, 40));
    p.drawEllipse(QPointF(21, 20), 8.5, 8.5);
    p.setPen(outline(Qt::white, 2.6));
    p.drawLine(QPointF(17.5, 16.5), QPointF(24.5, 23.5));
    p.drawLine(QPointF(24.5, 16.5), QPointF(17.5, 23.5));
}

void drawArrow(QPainter& p) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 128));
    p.drawPolygon(QPolygonF{{5, 4}, {28, 16}, {5, 28}});
}

}  // namespace

const std::map<QString, PictureDrawing>& pictures() {
    static const std::map<QString, PictureDrawing> table{
        {QStringLiteral("open"), drawOpen},
        {QStringLiteral("save"), drawSave},
        {QStringLiteral("saveas"), drawSaveAs},
        {QStringLiteral("delete"), drawDelete},
        {QStringLiteral("print"), drawPrint},
        {QStringLiteral("window-menu"), drawWindowMenu},
        {QStringLiteral("window-drawing"), drawWindowDrawing},
        {QStringLiteral("window-title"), drawWindowTitle},
        {QStringLiteral("colour"), drawColour},
        {QStringLiteral("help"), drawHelp},
        {QStringLiteral("tips"), drawTips},
        {QStringLiteral("support"), drawSupport},
        {QStringLiteral("about"), drawAbout},
        {QStringLiteral("check"), drawCheck},
        {QStringLiteral("clear"), drawClear},
        {QStringLiteral("exit"), drawExit},
        {QStringLiteral("guide"), drawGuide},
        {QStringLiteral("aid"), drawAid},
        {QStringLiteral("draw"), drawDraw},
        {QStringLiteral("next"), drawNext},
        {QStringLiteral("erase"), drawErase},
        {QStringLiteral("close"), drawClose},
        {QStringLiteral("arrow"), drawArrow},
    };
    return table;
}

}  // namespace zelmor::app
