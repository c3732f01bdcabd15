#pragma once

#include <QObject>
#include <QString>

class QMetaObject;
class QLabel;
class QWidget;

// The program's own libraries that are loaded when first needed rather than at every start:
// the chart drawing module and the two controls. They lie in the program's private library
// folder, found from the program's own folder as installed and in the build tree alike.
namespace PrivateLibrary {

// The address of `symbol` in the library `file` (a name in the private folder), loaded the
// first time; nullptr when the library or the symbol cannot be found, and `error` says why.
void* resolve(const char* file, const char* symbol, QString& error);

// The class description of the control class `className` exported by the library `file`,
// through which the control is made (its invokable constructor) and driven (its properties,
// signals and invokable methods); nullptr when it cannot be found, and `error` says why.
const QMetaObject* controlClass(const char* file, const char* className, QString& error);

// A control of the class `className` from the library `file`, made through the class's
// invokable constructor with `a0` and `a1`, and named `objectName`. When it cannot be made, a
// label of that name stands in its place, saying "<what> cannot be shown: <why>", and `made`
// is false.
QWidget* makeControl(const char* file, const char* className, const char* objectName, const QString& what,
                     QWidget* parent, bool& made, QGenericArgument a0 = QGenericArgument(),
                     QGenericArgument a1 = QGenericArgument());

// A label standing where a control or a chart cannot be shown: `text`, centred, wrapped.
QLabel* missing(const QString& text, const char* objectName, QWidget* parent);

} // namespace PrivateLibrary
