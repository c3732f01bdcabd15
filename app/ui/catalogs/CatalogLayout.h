#pragma once

#include <QBoxLayout>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <algorithm>
#include <initializer_list>

// The look shared by the catalog dialogs: right-aligned labels, growing fields, buttons
// with room around their captions.
namespace CatalogLayout {

template <class W> W* named(W* widget, const QString& name) {
    widget->setObjectName(name);
    return widget;
}

inline QPushButton* button(const QString& name, const QString& text, QWidget* parent) {
    auto* b = named(new QPushButton(text, parent), name);
    // Enter in a field must not press a button by surprise (adding an item half typed).
    b->setAutoDefault(false);
    b->setMinimumWidth(std::max(b->sizeHint().width() + 16, 80));
    return b;
}

inline QFormLayout* form() {
    auto* f = new QFormLayout;
    f->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
    f->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    return f;
}

// A row of buttons kept to the right.
inline QHBoxLayout* buttonRow(std::initializer_list<QPushButton*> buttons) {
    auto* row = new QHBoxLayout;
    row->addStretch();
    for (QPushButton* b : buttons)
        row->addWidget(b);
    return row;
}

// Gives the labels of several forms one width, so the forms line up under each other.
inline void alignLabels(std::initializer_list<QLabel*> labels) {
    int width = 0;
    for (QLabel* label : labels)
        if (label)
            width = std::max(width, label->sizeHint().width());
    for (QLabel* label : labels) {
        if (label) {
            label->setMinimumWidth(width);
            label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        }
    }
}

} // namespace CatalogLayout
