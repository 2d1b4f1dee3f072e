#pragma once
// Lines of a text file as every reader of the program takes them: a line
// ends at CR LF, at LF or at CR alone, whichever the program that wrote it
// used, and a UTF-8 byte order mark at the start of a file is no part of its
// first line. The player file's reader and the play-times reader share this.

#include <QByteArrayView>
#include <QStringView>
#include <cstring>
#include <type_traits>

namespace TextLinesDetail {
inline char16_t unit(QChar c)
{
    return c.unicode();
}
inline char16_t unit(char c)
{
    return char16_t(uchar(c));
}
} // namespace TextLinesDetail

inline bool IsLineEndChar(char16_t c)
{
    return c == u'\r' || c == u'\n';
}

// True when the character at at of text ends a line.
template <typename View> bool IsLineEnd(View text, qsizetype at)
{
    return IsLineEndChar(TextLinesDetail::unit(text[at]));
}

// The position just past the line end at at (CR LF is one line end); at
// itself when no line ends there.
template <typename View> qsizetype PastLineEnd(View text, qsizetype at)
{
    if (at < text.size() && TextLinesDetail::unit(text[at]) == u'\r')
        ++at;
    if (at < text.size() && TextLinesDetail::unit(text[at]) == u'\n')
        ++at;
    return at;
}

// Reads a text (QStringView or QByteArrayView) line by line.
template <typename View> class TextLines {
public:
    explicit TextLines(View text, qsizetype from = 0) : text_(text), pos_(from) {}

    // The next line, without its line end; false past the last one.
    bool Next(View &line)
    {
        if (pos_ >= text_.size())
            return false;
        qsizetype end = pos_;
        if constexpr (std::is_same_v<View, QByteArrayView>) {
            // Bytes: the line ends found by the C library's fast search.
            const char *const from = text_.data() + pos_, *const stop = text_.data() + text_.size();
            const void *lf = std::memchr(from, '\n', size_t(stop - from));
            const char *const lineEnd = lf ? static_cast<const char *>(lf) : stop;
            const void *cr = std::memchr(from, '\r', size_t(lineEnd - from));
            end = (cr ? static_cast<const char *>(cr) : lineEnd) - text_.data();
        } else {
            while (end < text_.size() && !IsLineEnd(text_, end))
                ++end;
        }
        line = text_.sliced(pos_, end - pos_);
        pos_ = PastLineEnd(text_, end);
        return true;
    }

private:
    View text_;
    qsizetype pos_;
};

// bytes without the UTF-8 byte order mark at its start, if it has one.
inline QByteArrayView WithoutByteOrderMark(QByteArrayView bytes)
{
    return bytes.startsWith("\xEF\xBB\xBF") ? bytes.sliced(3) : bytes;
}
