#pragma once

#include <QString>

namespace orv {

class MessageBoxService;

// The delimited-text routines. Bad arguments are reported in a warning box (when a box
// service is given) and the routine carries on.

// The n-th field (from 1) of text at a one-character separator.
QString Piece2(const QString& text, int n, const QString& separator, MessageBoxService* warn = nullptr);
// The number of separator characters in text.
int PieceCnt(const QString& text, const QString& separator, MessageBoxService* warn = nullptr);
// Every occurrence of search replaced, left to right, never searching the replacement again.
QString StrRep(const QString& text, const QString& search, const QString& replacement,
               MessageBoxService* warn = nullptr);

} // namespace orv
