#include "mainwindow/HomePageDialog.h"

#include "settings/BaseFolder.h"

#include <QDesktopServices>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

namespace {

QPixmap logo()
{
    QPixmap pixmap(96, 64);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(QColor(0x8b, 0x95, 0x6d));
    p.setPen(QPen(QColor(0x30, 0x38, 0x20), 2));
    p.drawRoundedRect(QRectF(18, 2, 60, 60), 6, 6);
    p.setBrush(QColor(0x9b, 0xbc, 0x0f));
    p.drawRect(QRectF(28, 10, 40, 30));
    p.setPen(QColor(0x0f, 0x38, 0x0f));
    QFont f = p.font();
    f.setBold(true);
    f.setPixelSize(11);
    p.setFont(f);
    p.drawText(QRectF(28, 10, 40, 30), Qt::AlignCenter, QStringLiteral("GB"));
    return pixmap;
}

QLabel *link(QWidget *parent, const char *name, const QString &file, const QString &caption)
{
    const QUrl url = QUrl::fromLocalFile(BaseFolder::file(file));
    auto *label =
        new QLabel(QStringLiteral("<a href=\"%1\">%2</a>").arg(url.toString(), caption.toHtmlEscaped()), parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setAlignment(Qt::AlignCenter);
    label->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    QObject::connect(label, &QLabel::linkActivated, label,
                     [](const QString &target) { QDesktopServices::openUrl(QUrl(target)); });
    return label;
}

} // namespace

HomePageDialog::HomePageDialog(QWidget *parent) : FormWindow("TForm11", QStringLiteral("Cartling Home Page"), parent)
{
    setWindowFlag(Qt::Tool);
    setFixedSize(247, 286);
    auto *layout = new QVBoxLayout(this);

    auto *image = new QLabel(this);
    image->setObjectName(QStringLiteral("Image1"));
    image->setPixmap(logo());
    image->setAlignment(Qt::AlignCenter);
    layout->addWidget(image);

    auto *credit = new QLabel(QStringLiteral("<b>Cartling 1.7</b><br>by the Cartling developers"), this);
    credit->setObjectName(QStringLiteral("Label1"));
    credit->setAlignment(Qt::AlignCenter);
    layout->addWidget(credit);
    layout->addWidget(link(this, "Label2", QString::fromUtf8("leeme.txt"), QString::fromUtf8("Léeme (español)")));
    layout->addWidget(link(this, "Label3", QStringLiteral("readme.txt"), QStringLiteral("Read me (English)")));

    auto *notice = new QLabel(QStringLiteral("Free software. Game Boy is a trademark of its owner."), this);
    notice->setObjectName(QStringLiteral("Label4"));
    notice->setWordWrap(true);
    notice->setAlignment(Qt::AlignCenter);
    layout->addWidget(notice);
    auto *origin = new QLabel(QStringLiteral("Made with Qt"), this);
    origin->setObjectName(QStringLiteral("Label5"));
    origin->setAlignment(Qt::AlignCenter);
    layout->addWidget(origin);

    auto *accept = new QPushButton(QStringLiteral("Aceptar"), this);
    accept->setObjectName(QStringLiteral("Button1"));
    accept->setDefault(true);
    layout->addWidget(accept, 0, Qt::AlignCenter);
    connect(accept, &QPushButton::clicked, this, &QDialog::accept);
}
