// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/captionpictures.h"

#include "surface/palette.h"
#include "windows/buttonicons.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>

#include <algorithm>
#include <array>
#include <vector>

namespace kelvara {
namespace {

enum class Style { Heading, Body, Item, Title, Closing };

struct Line {
    Style style;
    const char *text;
    QColor colour = {}; // invalid: the caption's letter colour
};

// The first line goes beside the icon.
struct Caption {
    QColor background;
    QColor letters;
    std::vector<Line> lines;
};

// A red a shade deeper than the palette's keeps small letters readable on
// yellow and cyan when projected.
const QColor letterRed(192, 0, 0);
const QColor paleYellow(255, 255, 192);

const std::array<Caption, captionCount> &captions()
{
    using enum Style;
    const QColor blue = qbColor(9), yellow = qbColor(14), cyan = qbColor(11), green = qbColor(10);
    const QColor black = qbColor(0), white = qbColor(15);
    static const std::array<Caption, captionCount> table = {{
        {blue, white,
         {{Body, "Experimenting with the"}, {Title, "Kelvara"},
          {Closing, "Let us look at the operations of the Simulator"}}},
        {yellow, letterRed,
         {{Heading, "The Ball Source:"},
          {Body, "The position of the ball source is where the balls initially enter the pin array."}}},
        {paleYellow, black,
         {{Heading, "The Ball Source:"}, {Body, "The position of the ball source is adjustable."},
          {Body, "Watch the effect of this adjustment."}}},
        {paleYellow, black,
         {{Heading, "The Ball Source:"},
          {Body, "This adjustment denotes the moving of target... Process Centre adjustment."},
          {Body, "Observe, that due to the movement of the ball source, two distinct distributions are formed."}}},
        {cyan, black, {{Heading, "The Pin Array"}, {Body, "Let's take a look at the Pin Array."}}},
        {cyan, black,
         {{Heading, "The Pin Array"},
          {Body, "At every pin, the ball has an equal chance to fall to the right or to the left."},
          {Body, "After a random journey over the pins the ball falls into a vertical slot."},
          {Body, "This simulates one reading."}}},
        {cyan, black,
         {{Heading, "The Pin Array"}, {Body, "More the staggered pin rows, more is the variation..."},
          {Body, "Let us try with 20 rows."}}},
        {cyan, black,
         {{Heading, "The Pin Array"}, {Body, "Note the wide distribution..."},
          {Body, "Now let us try with 5 rows."}}},
        {cyan, black,
         {{Heading, "Fewer random causes lead to lower variation.", letterRed},
          {Body, "The baffle will enable you to look at subgroups individually."}}},
        {green, black,
         {{Heading, "Settable Parameters"}, {Item, "- Subgroup size"},
          {Item, "- Subgroups to calculate Control Limits"}, {Item, "- Rows of pins inducing Variation"},
          {Body, "Let us now plot a Control Chart..."}}},
        {green, black,
         {{Heading, "Moving the ball source is like process centre adjustment."},
          {Body, "Watch the Control Chart detect this shift."}}},
        {paleYellow, black,
         {{Heading, "Process improvement is effected by lowering variation."},
          {Body, "See this effect on the R Chart."}}},
        {paleYellow, blue,
         {{Heading, "How you experiment, is limited only by your imagination."},
          {Body, "We hope you enjoy this learning experience."}, {Closing, "ALL THE BEST !!"}}},
    }};
    return table;
}

constexpr int frameWidth = 2;
constexpr int margin = 8;
constexpr int iconSize = 34;
constexpr int footHeight = 24;
constexpr int lineGap = 5;
constexpr int itemIndent = 12;
constexpr int largestBodyPixels = 18;
constexpr int largestHeadingPixels = 19;
constexpr int smallestBodyPixels = 9;
constexpr int footPixels = 12;

const QString footLine = QStringLiteral("Press any key to continue...'Esc' to exit");

QFont fontFor(Style style, int bodyPixels)
{
    QFont font = QGuiApplication::font();
    font.setBold(style != Style::Body && style != Style::Item);
    switch (style) {
    case Style::Heading:
        font.setPixelSize(std::min(bodyPixels + 2, largestHeadingPixels));
        break;
    case Style::Title:
        font.setPixelSize(bodyPixels * 2);
        break;
    case Style::Closing:
        font.setPixelSize(bodyPixels + 1);
        break;
    default:
        font.setPixelSize(bodyPixels);
    }
    return font;
}

int alignment(Style style)
{
    const bool centred = style == Style::Title || style == Style::Closing;
    return (centred ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignTop | Qt::TextWordWrap;
}

struct PlacedLine {
    const Line *line;
    QFont font;
    QRect rect;
};

int wrappedHeight(const QFont &font, Style style, int width, const QString &text)
{
    return QFontMetrics(font).boundingRect(QRect(0, 0, width, captionSize.height()), alignment(style), text).height();
}

// Where every line goes with body letters `bodyPixels` high: the first line
// beside the icon, the others below both, each wrapped to the card's width
// and the items of a list kept close together.
std::vector<PlacedLine> layOut(const Caption &caption, int bodyPixels)
{
    const int right = captionSize.width() - margin;
    std::vector<PlacedLine> placed;
    int top = margin + iconSize + lineGap;
    for (const Line &line : caption.lines) {
        const QFont font = fontFor(line.style, bodyPixels);
        const QString text = QString::fromLatin1(line.text);
        if (placed.empty()) {
            const int left = margin + iconSize + margin;
            const int height = wrappedHeight(font, line.style, right - left, text);
            const int besideIcon = std::max(margin, margin + (iconSize - height) / 2);
            placed.push_back({&line, font, QRect(left, besideIcon, right - left, height)});
            top = std::max(top, besideIcon + height + lineGap);
            continue;
        }
        const bool listGoesOn = line.style == Style::Item && placed.back().line->style == Style::Item;
        const int left = margin + (line.style == Style::Item ? itemIndent : 0);
        const int lineTop = listGoesOn ? top - lineGap : top;
        const int height = wrappedHeight(font, line.style, right - left, text);
        placed.push_back({&line, font, QRect(left, lineTop, right - left, height)});
        top = lineTop + height + lineGap;
    }
    return placed;
}

// The largest letters with which every line fits above the foot strip; the
// lines below the heading are centred in the room they leave.
std::vector<PlacedLine> fittedLayout(const Caption &caption)
{
    const int room = captionSize.height() - footHeight - margin;
    std::vector<PlacedLine> placed;
    for (int pixels = largestBodyPixels; pixels >= smallestBodyPixels; --pixels) {
        placed = layOut(caption, pixels);
        if (placed.back().rect.bottom() < room)
            break;
    }
    const int spare = std::max(0, room - 1 - placed.back().rect.bottom());
    // The first line stays beside the icon.
    for (auto line = placed.begin() + 1; line != placed.end(); ++line)
        line->rect.translate(0, spare / 2);
    return placed;
}

void paintFoot(QPainter &painter)
{
    const QRect strip(0, captionSize.height() - footHeight, captionSize.width(), footHeight);
    painter.fillRect(strip, Qt::white);
    QFont font = QGuiApplication::font();
    font.setPixelSize(footPixels);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(strip, Qt::AlignCenter, footLine);
}

} // namespace

int captionSmallestTextPixels(int index)
{
    if (index < 1 || index > captionCount)
        return 0;
    int smallest = footPixels;
    for (const PlacedLine &line : fittedLayout(captions()[std::size_t(index - 1)]))
        smallest = std::min(smallest, line.font.pixelSize());
    return smallest;
}

QImage captionPicture(int index, double scale)
{
    if (index < 1 || index > captionCount)
        return {};
    const Caption &caption = captions()[std::size_t(index - 1)];
    QImage picture((QSizeF(captionSize) * scale).toSize(), QImage::Format_RGB32);
    picture.fill(caption.background);
    QPainter painter(&picture);
    painter.scale(scale, scale);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.drawPixmap(QRect(margin, margin, iconSize, iconSize), applicationIcon().pixmap(iconSize));
    for (const PlacedLine &placed : fittedLayout(caption)) {
        painter.setFont(placed.font);
        painter.setPen(placed.line->colour.isValid() ? placed.line->colour : caption.letters);
        painter.drawText(placed.rect, alignment(placed.line->style), QString::fromLatin1(placed.line->text));
    }
    paintFoot(painter);
    // A black frame sets the card off from the board behind it.
    const double inset = frameWidth / 2.0;
    painter.setPen(QPen(Qt::black, frameWidth));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(QPointF(0, 0), QSizeF(captionSize)).adjusted(inset, inset, -inset, -inset));
    return picture;
}

} // namespace kelvara
