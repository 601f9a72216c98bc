#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringView>

// Texts as messages show them: every control character and every byte that is not UTF-8 is
// written as an escape, so nothing in a message is hidden and nothing cuts it short. NUL is
// "\0", other C0 controls and DEL "\x01" .. "\x1f", "\x7f", C1 controls "\u0085", a byte that
// is not UTF-8 "\xff", a lone surrogate "\ud800".
QString visibleText(QStringView text);
QString visibleBytes(QByteArrayView utf8);

// The first `count` characters of a UTF-8 text; a byte that is not UTF-8 counts as one.
QByteArrayView firstCharacters(QByteArrayView utf8, qsizetype count);
