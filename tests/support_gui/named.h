#pragma once

#include "ui/common/radio_group.h"

#include <QLatin1String>
#include <QObject>
#include <QRadioButton>
#include <QTest>
#include <QWidget>

#include <memory>

#include <gtest/gtest.h>

namespace korvland::testing {

// The child of `parent` with the objectName `name`, or null.
template <typename T = QWidget> T* named(const QObject* parent, const char* name) {
    return parent->findChild<T*>(QLatin1String(name));
}

template <typename T = QWidget, typename Parent>
T* named(const std::unique_ptr<Parent>& parent, const char* name) {
    return named<T>(parent.get(), name);
}

// The same, failing the test when there is none.
template <typename T = QWidget, typename Parent> T* required(const Parent& parent, const char* name) {
    T* found = named<T>(parent, name);
    EXPECT_NE(found, nullptr) << name;
    return found;
}

// The user's click on item `item` of a radio group: on its round button, not its text.
inline void clickRadioItem(const RadioGroup& group, int item) {
    QRadioButton* button = group.button(item);
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
}

} // namespace korvland::testing
