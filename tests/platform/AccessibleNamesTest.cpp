#include "platform/AccessibleNames.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

// A screen reader reads the name aloud: the "&" that marks a caption's shortcut letter is no part of it.
TEST(AccessibleNames, ControlsTakeTheirNameFromTooltipLabelOrGroupWithoutShortcutMarks)
{
    QWidget window;
    auto *layout = new QVBoxLayout(&window);
    auto *label = new QLabel("&Título:", &window);
    auto *field = new QLineEdit(&window);
    label->setBuddy(field);
    auto *icon = new QToolButton(&window);
    icon->setToolTip("Buscar &Roms");
    auto *group = new QGroupBox("&Opciones", &window);
    auto *box = new QCheckBox(group);
    (new QVBoxLayout(group))->addWidget(box);
    auto *named = new QLineEdit(&window);
    named->setAccessibleName("Mi nombre"); // set on purpose: left alone
    for (QWidget *w : {static_cast<QWidget *>(label), static_cast<QWidget *>(field), static_cast<QWidget *>(icon),
                       static_cast<QWidget *>(group), static_cast<QWidget *>(named)})
        layout->addWidget(w);

    AccessibleNames::update(&window);

    EXPECT_EQ(field->accessibleName(), QString::fromUtf8("Título:"));
    EXPECT_EQ(icon->accessibleName(), "Buscar Roms");
    EXPECT_EQ(box->accessibleName(), "Opciones");
    EXPECT_EQ(named->accessibleName(), "Mi nombre");
    // A new language's texts reach the names given here.
    label->setText("&Title:");
    AccessibleNames::update(&window);
    EXPECT_EQ(field->accessibleName(), "Title:");
}

} // namespace
