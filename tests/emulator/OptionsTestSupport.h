#pragma once

#include "TestSupport.h"

#include "emulator/ConfigTemplate.h"

#include <QAbstractButton>
#include <QFile>
#include <QTest>
#include <QWidget>
#include <memory>
#include <utility>

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

// The pairs of a shown window's controls, at every depth, that cover a control beside them ("a/b" by object name):
// a control left out of its layout, or put into another's cell, sits over another.
inline QStringList overlappingControls(const QWidget &window)
{
    QStringList pairs;
    const QList<QWidget *> controls = window.findChildren<QWidget *>();
    for (qsizetype i = 0; i < controls.size(); ++i) {
        for (qsizetype j = i + 1; j < controls.size(); ++j) {
            const QWidget *a = controls[i];
            const QWidget *b = controls[j];
            if (a->parentWidget() == b->parentWidget() && a->isVisible() && b->isVisible() &&
                a->geometry().intersects(b->geometry()))
                pairs << a->objectName() + u'/' + b->objectName();
        }
    }
    return pairs;
}

// An options window as start-up makes it: the options first, loaded where they have a loading step, then the
// window on them.
template <typename Options, typename Dialog> class OptionsWindow
{
public:
    template <typename... Args> explicit OptionsWindow(Args &&...args) : m_options(std::forward<Args>(args)...)
    {
        if constexpr (requires { m_options.load(); })
            m_options.load();
        m_dialog = std::make_unique<Dialog>(m_options);
    }
    Options &options() { return m_options; }
    Dialog &dialog() { return *m_dialog; }

private:
    Options m_options;
    std::unique_ptr<Dialog> m_dialog;
};
