#pragma once
// The pages' own texts are written in Chinese and drawn in the language of the run: each goes
// through Qt's translation (QCoreApplication::translate with the drawing file's context) where it
// is drawn. A text with a value in it is translated whole as a format with Qt's numbered
// arguments, so that a translation may put the values where its language wants them.
#include <QString>
#include <string>

namespace veldrin {

// `format` with %1, %2, … replaced by the UTF-8 `values`, all in one pass: a value that holds
// "%2" itself (a title typed by the user) is drawn as it is.
template <typename... Values>
std::string FilledText(const QString& format, const Values&... values) {
    return format.arg(QString::fromStdString(values)...).toStdString();
}

}  // namespace veldrin
