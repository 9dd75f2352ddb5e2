#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace tessaly::docs {

// File names are the system's bytes, which need not be UTF-8. They are carried
// in a QString without loss: valid UTF-8 as its characters, and each other byte
// as the lone surrogate U+DC00 + byte (no real character is one, so nothing
// else decodes to it). Every file the program opens goes through encodeFileName.

// The name for the bytes.
QString decodeFileName(QByteArrayView bytes);

// The bytes for the name (the reverse of decodeFileName).
QByteArray encodeFileName(const QString& name);

// The name as a user reads it in a message: each byte that is not UTF-8 shown
// as U+FFFD.
QString displayFileName(const QString& name);

// The local file a "file://" URL names, its percent-escapes taken as bytes
// (file://localhost/... too); nothing (an empty text) for any other text,
// "file:name" without the two slashes included.
QString localFileOfUrl(QByteArrayView url);

}  // namespace tessaly::docs
