#include "qt/Icons.h"

#include <cmath>

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace brelker {
namespace {

constexpr int kSize = 32;

const QColor kInk(40, 40, 48);
const QColor kPaper(250, 250, 245);
const QColor kFolder(232, 180, 60);
const QColor kBlue(40, 110, 200);
const QColor kGreen(40, 150, 70);
const QColor kRed(200, 50, 40);

void Page(QPainter& p, QRectF r, const QColor& fill = kPaper) {
    QPainterPath path;
    const qreal fold = r.width() * 0.3;
    path.moveTo(r.topLeft());
    path.lineTo(r.right() - fold, r.top());
    path.lineTo(r.right(), r.top() + fold);
    path.lineTo(r.bottomRight());
    path.lineTo(r.bottomLeft());
    path.closeSubpath();
    p.setPen(QPen(kInk, 1.5));
    p.setBrush(fill);
    p.drawPath(path);
    p.drawLine(QPointF(r.right() - fold, r.top()), QPointF(r.right() - fold, r.top() + fold));
    p.drawLine(QPointF(r.right() - fold, r.top() + fold), QPointF(r.right(), r.top() + fold));
}

void Lines(QPainter& p, QRectF r, int count) {
    p.setPen(QPen(kInk.lighter(180), 1.2));
    for (int i = 0; i < count; ++i) {
        const qreal y = r.top() + r.height() * (0.4 + 0.15 * i);
        p.drawLine(QPointF(r.left() + 3, y), QPointF(r.right() - 3, y));
    }
}

void Folder(QPainter& p, QRectF r) {
    QPainterPath path;
    path.moveTo(r.left(), r.top() + 3);
    path.lineTo(r.left() + r.width() * 0.4, r.top() + 3);
    path.lineTo(r.left() + r.width() * 0.5, r.top() + 7);
    path.lineTo(r.right(), r.top() + 7);
    path.lineTo(r.bottomRight());
    path.lineTo(r.bottomLeft());
    path.closeSubpath();
    p.setPen(QPen(kInk, 1.5));
    p.setBrush(kFolder);
    p.drawPath(path);
}

void Arrow(QPainter& p, QPointF from, QPointF to, const QColor& color) {
    p.setPen(QPen(color, 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawLine(from, to);
    const QPointF d = to - from;
    const qreal length = std::hypot(d.x(), d.y());
    const QPointF u = d / length;
    const QPointF n(-u.y(), u.x());
    p.setBrush(color);
    p.setPen(Qt::NoPen);
    p.drawPolygon(QPolygonF({to + u * 3, to - u * 5 + n * 5, to - u * 5 - n * 5}));
}

void Paint(QPainter& p, Picture kind) {
    switch (kind) {
        case Picture::ChooseBigFile:
            Page(p, QRectF(5, 2, 20, 27));
            Lines(p, QRectF(5, 2, 20, 27), 4);
            break;
        case Picture::PiecesPlace:
            Folder(p, QRectF(2, 8, 28, 21));
            Page(p, QRectF(11, 3, 10, 13));
            break;
        case Picture::Split:
            Page(p, QRectF(2, 3, 13, 18));
            Arrow(p, QPointF(14, 20), QPointF(22, 26), kBlue);
            Page(p, QRectF(20, 8, 9, 11));
            Page(p, QRectF(22, 19, 9, 11));
            break;
        case Picture::SelfUnit:
            Page(p, QRectF(5, 2, 20, 27), QColor(235, 242, 255));
            p.setPen(QPen(kGreen, 2.2));
            p.drawText(QRectF(5, 8, 20, 18), Qt::AlignCenter, QStringLiteral(">_"));
            break;
        case Picture::ChoosePiece:
            Page(p, QRectF(10, 2, 14, 18));
            Page(p, QRectF(6, 7, 14, 18));
            Page(p, QRectF(2, 12, 14, 18));
            break;
        case Picture::BigFilePlace:
            Folder(p, QRectF(2, 8, 28, 21));
            Page(p, QRectF(9, 2, 14, 18));
            break;
        case Picture::Join:
            Page(p, QRectF(2, 2, 9, 11));
            Page(p, QRectF(2, 16, 9, 11));
            Arrow(p, QPointF(11, 15), QPointF(18, 15), kGreen);
            Page(p, QRectF(19, 4, 12, 24));
            break;
        case Picture::Verify:
            Page(p, QRectF(2, 2, 14, 18));
            Page(p, QRectF(6, 8, 14, 18));
            p.setPen(QPen(kGreen, 3.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            p.setBrush(Qt::NoBrush);
            p.drawPolyline(QPolygonF({QPointF(14, 20), QPointF(19, 26), QPointF(29, 12)}));
            break;
        case Picture::Stop: {
            QPainterPath octagon;
            const qreal c = 9.0;
            octagon.moveTo(c + 3, 3);
            octagon.lineTo(29 - c, 3);
            octagon.lineTo(29, c + 3);
            octagon.lineTo(29, 29 - c);
            octagon.lineTo(29 - c, 29);
            octagon.lineTo(c + 3, 29);
            octagon.lineTo(3, 29 - c);
            octagon.lineTo(3, c + 3);
            octagon.closeSubpath();
            p.setPen(QPen(kInk, 1.5));
            p.setBrush(kRed);
            p.drawPath(octagon);
            p.setPen(Qt::NoPen);
            p.setBrush(Qt::white);
            p.drawRect(QRectF(11, 10, 4, 12));
            p.drawRect(QRectF(18, 10, 4, 12));
            break;
        }
        case Picture::Exit:
            p.setPen(QPen(kInk, 1.5));
            p.setBrush(QColor(160, 110, 70));
            p.drawRect(QRectF(4, 3, 14, 26));
            Arrow(p, QPointF(14, 16), QPointF(28, 16), kRed);
            break;
    }
}

}  // namespace

QIcon SpeedBarIcon(Picture kind) {
    QPixmap pixmap(kSize, kSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    QFont font = painter.font();
    font.setBold(true);
    font.setPixelSize(12);
    painter.setFont(font);
    Paint(painter, kind);
    painter.end();
    return QIcon(pixmap);
}

}  // namespace brelker

namespace brelker {

QIcon ApplicationIcon() {
    QIcon icon;
    for (const int size : {16, 24, 32, 48, 64, 128, 256}) {
        icon.addFile(QStringLiteral(":/icons/brelker-%1.png").arg(size), QSize(size, size));
    }
    return icon;
}

}  // namespace brelker
