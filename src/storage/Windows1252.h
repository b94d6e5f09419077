#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

// Every stored character is one byte in the Windows-1252 code page. The table
// is our own so that the stored bytes never depend on the platform's codecs.
namespace Windows1252 {

// A character the code page cannot represent becomes "?".
QByteArray encode(QStringView text);

// Bytes that the code page leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D)
// map to the control characters of the same number, so that any byte survives
// a read followed by a write.
QString decode(QByteArrayView bytes);

} // namespace Windows1252
