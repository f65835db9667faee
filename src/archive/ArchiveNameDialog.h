#pragma once

#include "platform/FormWindow.h"

#include <optional>

class QLineEdit;

// Asks for the name of a new archive.
class ArchiveNameDialog : public FormWindow
{
    Q_OBJECT
public:
    explicit ArchiveNameDialog(QWidget *parent = nullptr);

    // Shows the dialog modally with the stem in the name field; the text as typed when closed with "Aceptar",
    // nothing when closed any other way.
    std::optional<QString> askName(const QString &stem);

private:
    QLineEdit *m_name = nullptr;
};
