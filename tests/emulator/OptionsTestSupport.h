#pragma once

#include "TestSupport.h"

#include "emulator/ConfigTemplate.h"

#include <QAbstractButton>
#include <QFile>
#include <QTest>

// A base folder and a fresh template for the option rules; the settings file is written and read as bytes.
class OptionsTest : public BaseFolderTest
{
protected:
    void writeSettings(const QByteArray &ini) const { writeFile("Cartling.ini", ini); }
    QByteArray settings() const { return readFile("Cartling.ini"); }
    bool settingsExist() const { return QFile::exists(path("Cartling.ini")); }
    void makeSettingsReadOnly() const { QFile::setPermissions(path("Cartling.ini"), QFileDevice::ReadOwner); }

    ConfigTemplate m_template;
};

// Clicks a check box or radio button on its box, which a wide one's centre is not.
inline void clickBox(QAbstractButton *button)
{
    ASSERT_NE(button, nullptr);
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(8, button->height() / 2));
}
