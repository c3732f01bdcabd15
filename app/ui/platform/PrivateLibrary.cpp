#include "PrivateLibrary.h"

#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QLibrary>
#include <cstring>

namespace PrivateLibrary {

namespace {

void* find(const char* file, const char* symbol, const QString& what, QString& error) {
    // Loaded for the rest of the run (a QLibrary does not unload what it loaded when it goes).
    QLibrary library(QDir::cleanPath(QCoreApplication::applicationDirPath() +
                                     QStringLiteral("/" TRAINBOOK_BIN_TO_LIB "/") + QLatin1String(file)));
    if (!library.load()) {
        error = library.errorString();
        return nullptr;
    }
    void* address = reinterpret_cast<void*>(library.resolve(symbol));
    if (!address)
        error = QStringLiteral("%1 has no %2").arg(QLatin1String(file), what);
    return address;
}

} // namespace

void* resolve(const char* file, const char* symbol, QString& error) {
    return find(file, symbol, QLatin1String(symbol), error);
}

const QMetaObject* controlClass(const char* file, const char* className, QString& error) {
    // The class's static meta-object, by its name as the C++ compiler gives it.
    const QByteArray symbol =
        "_ZN" + QByteArray::number(qsizetype(std::strlen(className))) + className + "16staticMetaObjectE";
    return static_cast<const QMetaObject*>(
        find(file, symbol.constData(), QStringLiteral("class %1").arg(QLatin1String(className)), error));
}

QWidget* makeControl(const char* file, const char* className, const char* objectName, const QString& what,
                     QWidget* parent, bool& made, QGenericArgument a0, QGenericArgument a1) {
    QString error;
    QWidget* control = nullptr;
    if (const QMetaObject* type = controlClass(file, className, error))
        control = qobject_cast<QWidget*>(type->newInstance(a0, a1));
    made = control != nullptr;
    if (!made)
        control = missing(QStringLiteral("%1 cannot be shown: %2")
                              .arg(what, error.isEmpty() ? QStringLiteral("it cannot be made") : error),
                          objectName, parent);
    control->setObjectName(QLatin1String(objectName));
    return control;
}

QLabel* missing(const QString& text, const char* objectName, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(objectName));
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignCenter);
    label->setMinimumSize(320, 220);
    return label;
}

} // namespace PrivateLibrary
