#pragma once
// The statistics window's drawing area: a list of drawing commands in twips on a
// fixed 3495 × 2355 twips page, painted scaled to the widget's size (keeping the
// page's proportions) on a white background in the UI font.

#include <QColor>
#include <QList>
#include <QPixmap>
#include <QRectF>
#include <QString>
#include <QWidget>

struct DrawCommand {
    enum class Kind { Text, Line, Circle };
    Kind kind = Kind::Text;
    // Text: top left corner (x1, y1). Line: from (x1, y1) to (x2, y2).
    // Circle: centre (x1, y1) and radius.
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0, radius = 0;
    QString text;        // as given; yen backslashes are shown as "¥" only when painted
    qint16 fontSize = 9; // points
    QColor color;
    bool dotted = false; // lines and circles
    int lineWidth = 1;   // lines and circles, in pixels of the unscaled page
    // Text: the point of its box that (x1, y1) is, the top left corner unless
    // a label says otherwise.
    Qt::Alignment align = Qt::AlignLeft | Qt::AlignTop;
    // Text: a label of a drawing (a graph's values and units), which grows
    // less than the page (DrawingArea::kLabelGrowth).
    bool label = false;
};

class DrawingArea : public QWidget {
    Q_OBJECT
public:
    static constexpr int kPageWidth = 3495;  // twips
    static constexpr int kPageHeight = 2355; // twips

    explicit DrawingArea(QWidget *parent = nullptr);

    // The drawing's own size in twips (what the screens lay out against).
    double ScaleWidth() const { return kPageWidth; }
    double ScaleHeight() const { return kPageHeight; }

    // Removes every drawing command; the picture stays.
    void Cls();
    // The picture shown from the top left corner under the drawing, at its own
    // size in pixels of the unscaled page (15 twips per pixel).
    void SetPicture(const QPixmap &picture);
    void RemovePicture();
    bool HasPicture() const { return !picture_.isNull(); }
    const QPixmap &Picture() const { return picture_; }

    void SetCurrentX(double x) { currentX_ = x; }
    void SetCurrentY(double y) { currentY_ = y; }
    double CurrentX() const { return currentX_; }
    double CurrentY() const { return currentY_; }

    void SetFontSize(qint16 points) { fontSize_ = points; }
    qint16 FontSize() const { return fontSize_; }
    void SetForeColor(const QColor &color) { foreColor_ = color; }
    QColor ForeColor() const { return foreColor_; }

    enum class LineStyle { Solid, Dotted };
    void SetDrawStyle(LineStyle style) { drawStyle_ = style; }
    LineStyle DrawStyle() const { return drawStyle_; }
    void SetDrawWidth(int width) { drawWidth_ = width; }
    int DrawWidth() const { return drawWidth_; }

    // Draws text with its top left corner at the current position, in the current
    // font size and fore colour. The position does not move.
    void Print(const QString &text);
    // Draws text as a label of a drawing, in the current font size and fore
    // colour, with the point of its box that align names at the current
    // position (Qt::AlignRight | Qt::AlignVCenter: ending there, centred on it
    // in height). Where the page is shown larger than its own size, a label
    // grows at most kLabelGrowth times, about that point: beside a large
    // drawing it stays the size of a label.
    void PrintLabel(const QString &text, Qt::Alignment align);
    static constexpr double kLabelGrowth = 1.5;
    // The box of a text command on the page (twips), at the page's own size.
    static QRectF TextBox(const DrawCommand &text);

    // A line or a circle outline in the current line style and width.
    void Line(float x1, float y1, float x2, float y2, const QColor &color);
    void Circle(float x, float y, float radius, const QColor &color);

    // Width of text in twips, in the drawing font at the current font size.
    double TextWidth(const QString &text) const;
    static double TextWidthAt(const QString &text, qint16 points);

    const QList<DrawCommand> &Commands() const { return commands_; }

    // The drawing font at a size, measured in twips (1 pt = 20 twips).
    static QFont DrawingFont(qint16 points);

    // Scale from twips to widget pixels and the page's top left corner.
    double PageScale() const;
    QPointF PageOrigin() const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    DrawCommand stroke(DrawCommand::Kind kind, const QColor &color) const;
    void add(const DrawCommand &command);

    QList<DrawCommand> commands_;
    QPixmap picture_;
    double currentX_ = 0;
    double currentY_ = 0;
    qint16 fontSize_ = 9;
    QColor foreColor_ = Qt::black;
    LineStyle drawStyle_ = LineStyle::Solid;
    int drawWidth_ = 1;
};
