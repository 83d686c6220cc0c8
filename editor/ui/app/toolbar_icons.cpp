#include "editor/ui/app/toolbar_icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace keyui::app {

namespace {

const QColor kInk(0, 0, 0);
const QColor kPaper(255, 255, 255);
const QColor kFolder(230, 190, 60);
const QColor kDisk(40, 60, 150);
const QColor kKeyCap(210, 210, 210);
const QColor kAccent(200, 0, 0);
const QColor kGlass(120, 180, 230);

void drawPage(QPainter& p, int x, int y, int w, int h) {
    p.setPen(kInk);
    p.setBrush(kPaper);
    QPainterPath page;
    page.moveTo(x, y);
    page.lineTo(x + w - 3, y);
    page.lineTo(x + w, y + 3);
    page.lineTo(x + w, y + h);
    page.lineTo(x, y + h);
    page.closeSubpath();
    p.drawPath(page);
}

void drawKeyCap(QPainter& p) {
    p.setPen(kInk);
    p.setBrush(kKeyCap);
    p.drawRoundedRect(1, 1, 13, 12, 2, 2);
    p.setBrush(kPaper);
    p.drawRect(3, 3, 9, 8);
}

void drawText(QPainter& p, const QRect& box, const QString& text, const QColor& colour, int pixelSize) {
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(pixelSize);
    font.setBold(true);
    p.setFont(font);
    p.setPen(colour);
    p.drawText(box, Qt::AlignCenter, text);
}

void paint(QPainter& p, CommandIcon icon) {
    switch (icon) {
        case CommandIcon::None:
            break;
        case CommandIcon::New:
            drawPage(p, 3, 1, 10, 13);
            break;
        case CommandIcon::Open:
            p.setPen(kInk);
            p.setBrush(kFolder);
            p.drawRect(1, 4, 13, 9);
            p.drawRect(1, 2, 5, 2);
            p.setPen(kAccent);
            p.drawLine(9, 1, 14, 1);
            p.drawLine(14, 1, 14, 3);
            break;
        case CommandIcon::Save:
            p.setPen(kInk);
            p.setBrush(kDisk);
            p.drawRect(1, 1, 13, 13);
            p.setBrush(kPaper);
            p.drawRect(4, 1, 7, 5);
            p.setBrush(kKeyCap);
            p.drawRect(4, 9, 7, 5);
            break;
        case CommandIcon::Cut:
            p.setPen(QPen(kInk, 1.2));
            p.drawLine(4, 1, 10, 10);
            p.drawLine(11, 1, 5, 10);
            p.setBrush(Qt::NoBrush);
            p.drawEllipse(1, 9, 5, 5);
            p.drawEllipse(9, 9, 5, 5);
            break;
        case CommandIcon::Copy:
            drawPage(p, 1, 1, 8, 10);
            drawPage(p, 6, 4, 8, 10);
            break;
        case CommandIcon::Paste:
            p.setPen(kInk);
            p.setBrush(kFolder);
            p.drawRect(1, 2, 10, 12);
            p.setBrush(kKeyCap);
            p.drawRect(4, 1, 4, 2);
            drawPage(p, 7, 5, 7, 9);
            break;
        case CommandIcon::PrintPreview:
            drawPage(p, 1, 1, 10, 13);
            p.setPen(QPen(kInk, 1.5));
            p.setBrush(kGlass);
            p.drawEllipse(5, 5, 6, 6);
            p.drawLine(10, 10, 14, 14);
            break;
        case CommandIcon::Print:
            drawPage(p, 4, 1, 8, 6);
            p.setPen(kInk);
            p.setBrush(kKeyCap);
            p.drawRect(1, 6, 14, 6);
            p.setBrush(kPaper);
            p.drawRect(4, 10, 8, 4);
            p.setPen(kAccent);
            p.drawPoint(13, 8);
            break;
        case CommandIcon::KeyCaption:
            drawKeyCap(p);
            drawText(p, QRect(3, 3, 10, 9), QStringLiteral("A"), kAccent, 9);
            break;
        case CommandIcon::KeyProgramming:
            drawKeyCap(p);
            drawText(p, QRect(3, 3, 10, 9), QStringLiteral("F"), kDisk, 9);
            break;
        case CommandIcon::CaptionOptions:
            drawText(p, QRect(0, 0, kToolIconWidth, kToolIconHeight), QStringLiteral("Aa"), kAccent, 11);
            break;
        case CommandIcon::LayerSettings:
            p.setPen(kInk);
            for (int layer = 0; layer < 3; ++layer) {
                p.setBrush(layer == 0 ? kGlass : kKeyCap);
                QPolygon sheet;
                const int y = 8 - 3 * layer;
                sheet << QPoint(1, y + 3) << QPoint(8, y) << QPoint(15, y + 3) << QPoint(8, y + 6);
                p.drawPolygon(sheet);
            }
            break;
        case CommandIcon::About:
            p.setPen(kInk);
            p.setBrush(kGlass);
            p.drawEllipse(1, 0, 14, 14);
            drawText(p, QRect(1, 0, 14, 14), QStringLiteral("?"), kInk, 11);
            break;
    }
}

}  // namespace

QIcon toolBarIcon(CommandIcon icon) {
    if (icon == CommandIcon::None) return {};
    QPixmap pixmap(kToolIconWidth, kToolIconHeight);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing, true);
    paint(painter, icon);
    painter.end();
    return QIcon(pixmap);
}

}  // namespace keyui::app
