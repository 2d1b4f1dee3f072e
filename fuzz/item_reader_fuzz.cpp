#include "core/file/cp932.h"
#include "core/file/item_reader.h"
#include "core/file/user_data_file.h"
#include "fuzz_targets.h"

using namespace Qt::StringLiterals;

void FuzzItemReader(QByteArrayView input)
{
    const QByteArray bytes = input.toByteArray();
    const QString text = DecodeCp932(bytes);

    // A file decoded in pieces reads as the same text wherever it is cut.
    if (!bytes.isEmpty()) {
        const qsizetype step = 1 + static_cast<unsigned char>(bytes[0]) % 13;
        Cp932Decoder decoder;
        QString pieces;
        for (qsizetype i = 0; i < bytes.size(); i += step)
            pieces += decoder.decode(bytes.mid(i, step));
        pieces += decoder.finish();
        FUZZ_CHECK(pieces == text);
    }

    // Every item takes at least one character: the reader always ends.
    ItemReader reader;
    reader.SetText(text);
    QString item;
    qsizetype count = 0;
    while (reader.Next(item)) {
        FUZZ_CHECK(++count <= text.size());
        FUZZ_CHECK(item.size() <= text.size());
    }

    // Numbers and markers, as the section readers ask for them.
    const QString markers[] = {UserDataFile::StatesMarker(), UserDataFile::StoreMarker(),
                               UserDataFile::MachineMarker(), UserDataFile::DataMarker()};
    for (const QString &marker : markers) {
        if (!reader.SeekMarker(marker))
            continue;
        qint16 small = 0;
        qint32 large = 0;
        count = 0;
        for (bool more = true; more && count <= text.size(); ++count)
            more = count % 3 == 0 ? reader.NextInt32(large) : reader.NextInt16(small);
        FUZZ_CHECK(count <= text.size() + 1);
    }
}
