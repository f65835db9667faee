#include "gamegenie/GameGenieDialog.h"

#include "app/Session.h"
#include "emulator/Emulator.h"
#include "gamegenie/CheatCodeFormat.h"
#include "library/GameDetails.h"
#include "platform/AccessibleNames.h"
#include "platform/ErrorHandler.h"
#include "platform/Places.h"
#include "settings/SettingsFile.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTextOption>

namespace {

// The dialog's client area and where its parts stand.
constexpr int kWidth = 385;
constexpr int kHeight = 412;
constexpr int kFirstRowTop = 70;
constexpr int kRowSpacing = 24;
constexpr int kCodeLeft = 62;
constexpr int kCodeWidth = 92;
constexpr int kCheckLeft = kCodeLeft + kCodeWidth + 2;
constexpr int kCheckWidth = 22;
constexpr int kCodeLength = 11; // "01A-B2C-D3E", the longest code form
constexpr int kDescriptionLeft = kCheckLeft + kCheckWidth + 2;
// The main window's left edge at or left of which the dialog opens beside it without moving it, and the
// room the main window takes at the size it was designed for.
constexpr int kMainWindowLeftmost = 170;
constexpr int kMainWindowRoom = 230;
// The line saying what the chosen emulator does with the codes, below everything else; the dialog grows by it.
constexpr int kUseLineHeight = 36;

QPushButton *button(QWidget *parent, const char *name, const QString &caption, QRect place)
{
    auto *b = named(new QPushButton(caption, parent), name);
    b->setGeometry(place);
    // Enter in a code field must not press a button the user did not choose (a dialog makes its first
    // auto-default button the default one); Enter on a button with the focus presses it (keyPressEvent).
    b->setAutoDefault(false);
    return b;
}

// The picture above the hint: a cartridge and the words "Game Genie", drawn rather than shipped as a file.
QPixmap gameGenieLogo(QSize size, qreal ratio)
{
    QPixmap logo(size * ratio);
    logo.setDevicePixelRatio(ratio);
    logo.fill(Qt::transparent);
    QPainter p(&logo);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF frame(1.5, 1.5, size.width() - 3, size.height() - 3);
    QLinearGradient background(frame.topLeft(), frame.bottomLeft());
    background.setColorAt(0, QColor(0x6a, 0x2c, 0xa8));
    background.setColorAt(1, QColor(0x2e, 0x0f, 0x5c));
    p.setPen(QPen(QColor(0xf2, 0xc1, 0x2e), 3));
    p.setBrush(background);
    p.drawRoundedRect(frame, 14, 14);

    // A cartridge: grey body with its cut corner, a label and the contacts.
    const QRectF cart(16, 13, 42, 55);
    QPainterPath body;
    body.moveTo(cart.topLeft());
    body.lineTo(cart.right() - 8, cart.top());
    body.lineTo(cart.right(), cart.top() + 8);
    body.lineTo(cart.bottomRight());
    body.lineTo(cart.bottomLeft());
    body.closeSubpath();
    p.setPen(QPen(QColor(0x40, 0x40, 0x48), 1.5));
    p.setBrush(QColor(0xc8, 0xc8, 0xd0));
    p.drawPath(body);
    p.setBrush(QColor(0xf2, 0xc1, 0x2e));
    p.drawRect(QRectF(cart.left() + 6, cart.top() + 10, cart.width() - 12, 22));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x40, 0x40, 0x48));
    for (int i = 0; i < 6; ++i)
        p.drawRect(QRectF(cart.left() + 5 + i * 5.5, cart.bottom() - 7, 3, 5));

    QFont font(QStringLiteral("Sans Serif"));
    font.setBold(true);
    font.setPixelSize(26);
    p.setFont(font);
    const QRectF words(68, 8, size.width() - 76, size.height() - 16);
    p.setPen(QColor(0x1a, 0x06, 0x33));
    p.drawText(words.translated(2, 2), Qt::AlignCenter, QStringLiteral("GAME\nGENIE"));
    p.setPen(QColor(0xf2, 0xc1, 0x2e));
    p.drawText(words, Qt::AlignCenter, QStringLiteral("GAME\nGENIE"));
    return logo;
}

void setTextIfChanged(QLineEdit *edit, const QString &text)
{
    // Setting the same text again would move the cursor of a field the user is typing in.
    if (edit->text() != text)
        edit->setText(text);
}

} // namespace

GameGenieDialog::GameGenieDialog(Session &session)
    : FormWindow("TForm8", QString::fromUtf8("Códigos Game Genie"), nullptr), m_session(session),
      m_codes(session.codes())
{
    setWindowFlag(Qt::WindowStaysOnTopHint);
    setModal(false);
    setFixedSize(kWidth, kHeight);
    const SettingsFile settings;
    move(settings.read(Keys::Left2), settings.read(Keys::Top2));

    createHint();
    createCodeGroup();
    createRows();

    auto *nameGroup = named(new QGroupBox(QStringLiteral("Nombre Interno del juego"), this), "GroupBox2");
    nameGroup->setGeometry(4, 362, 270, 44);
    m_internalName = named(new QLabel(nameGroup), "a5");
    m_internalName->setAlignment(Qt::AlignCenter);
    m_internalName->setTextFormat(Qt::PlainText);
    m_internalName->setGeometry(6, 18, 258, 20);

    button(this, "Button1", QStringLiteral("Aceptar"), {288, 372, 90, 28});

    m_emulatorUse = named(new QLabel(this), "EmulatorCodesUse");
    m_emulatorUse->setWordWrap(true);
    m_emulatorUse->setTextFormat(Qt::PlainText);
    m_emulatorUse->setGeometry(6, kHeight - 2, kWidth - 12, kUseLineHeight);
    m_emulatorUse->hide();

    // The hidden actions: run by code (the launch, the selection), never seen by the user.
    button(this, "Revisardatos", QStringLiteral("Revisar datos"), {0, 0, 0, 0})->hide();
    button(this, "Button6", QStringLiteral("Usar"), {0, 0, 0, 0})->hide();
    button(this, "Button7", QStringLiteral("No Usar"), {0, 0, 0, 0})->hide();

    connectControls();
    loadFromRules();
    connect(&m_session, &Session::codesChanged, this, [this] { loadFromRules(); });
}

// ---- Construction ----

void GameGenieDialog::createHint()
{
    // Under the code group: the picture and the hint shown while the selected game has no internal name.
    m_panel = named(new QWidget(this), "Panel1");
    m_panel->setGeometry(0, 0, kWidth, 360);
    auto *logo = named(new QLabel(m_panel), "Image1");
    logo->setGeometry((kWidth - 220) / 2, 24, 220, 81);
    logo->setAlignment(Qt::AlignCenter);
    logo->setPixmap(gameGenieLogo(QSize(220, 81), devicePixelRatioF()));
    m_hint = named(new QPlainTextEdit(m_panel), "Memo1");
    m_hint->setGeometry(16, 122, kWidth - 32, 220);
    m_hint->setReadOnly(true);
    m_hint->setFrameShape(QFrame::NoFrame);
    QPalette plain = m_hint->palette();
    plain.setColor(QPalette::Base, plain.color(QPalette::Window));
    m_hint->setPalette(plain);
    m_hint->document()->setDefaultTextOption(QTextOption(Qt::AlignHCenter));
    m_hint->setWordWrapMode(QTextOption::WordWrap);
    AccessibleNames::nameAfter(m_hint, this);
    QFont bold = m_hint->font();
    bold.setBold(true);
    bold.setPixelSize(16);
    m_hint->setFont(bold);
    m_hint->setPlainText(QString::fromUtf8("Primero debes importar el Nombre \na la lista de Códigos o  Generar la \n"
                                           "lista de Títulos para Códigos Game \nGenie.Estas Opciones estan en los \n"
                                           "menus"));
}

void GameGenieDialog::createCodeGroup()
{
    m_group = named(new QGroupBox(QStringLiteral("Nombre del Juego : "), this), "GroupBox1");
    m_group->setGeometry(4, 0, kWidth - 8, 360);
    m_title = named(new QLineEdit(m_group), "Edit1");
    m_title->setGeometry(10, 20, 272, 24);
    QFont titleFont = m_title->font();
    titleFont.setBold(true);
    m_title->setFont(titleFont);
    AccessibleNames::nameAfter(m_title, m_group);
    button(m_group, "Button2", QStringLiteral("Cambiar"), {288, 20, 80, 24});

    auto *activar = named(new QLabel(QStringLiteral("Activar"), m_group), "Label1");
    activar->setGeometry(6, 50, kCodeLeft - 8, 16);
    auto *codigo = named(new QLabel(QString::fromUtf8("Código"), m_group), "Label2");
    codigo->setGeometry(kCodeLeft, 50, kCodeWidth, 16);
    auto *descripcion = named(new QLabel(QString::fromUtf8("Descripción"), m_group), "Label3");
    descripcion->setGeometry(kDescriptionLeft, 50, 200, 16);
    for (QLabel *heading : {activar, codigo, descripcion}) {
        QFont f = heading->font();
        f.setBold(true);
        heading->setFont(f);
    }
    for (QLabel *heading : {codigo, descripcion}) {
        QPalette blue = heading->palette();
        blue.setColor(QPalette::WindowText, Qt::blue);
        heading->setPalette(blue);
    }

    button(m_group, "Button5", QStringLiteral("Guardar Todo"), {8, 320, 116, 28});
    button(m_group, "Button3", QStringLiteral("Limpiar Todo"), {130, 320, 116, 28});
    button(m_group, "Button4", QString::fromUtf8("Cargar Códigos"), {252, 320, 116, 28});
}

void GameGenieDialog::createRows()
{
    auto *activar = m_group->findChild<QLabel *>(QStringLiteral("Label1"));
    auto *codigo = m_group->findChild<QLabel *>(QStringLiteral("Label2"));
    auto *descripcion = m_group->findChild<QLabel *>(QStringLiteral("Label3"));
    for (int n = 1; n <= RowCount; ++n) {
        Row &row = m_rows[n - 1];
        const int top = kFirstRowTop + (n - 1) * kRowSpacing;
        const QString number = QStringLiteral(" %1").arg(n);
        row.box = new QCheckBox(m_group);
        row.box->setObjectName(QStringLiteral("Box%1").arg(n));
        row.box->setGeometry(20, top, 22, 22);
        // Screen readers hear "Activar 3", "Código 3", ...: the column heading and the row, in any language.
        AccessibleNames::nameAfter(row.box, activar, number);
        row.code = new QLineEdit(m_group);
        row.code->setObjectName(QStringLiteral("C%1").arg(n));
        row.code->setMaxLength(kCodeLength);
        row.code->setGeometry(kCodeLeft, top, kCodeWidth, 22);
        AccessibleNames::nameAfter(row.code, codigo, number);
        row.check = new QLabel(m_group);
        row.check->setObjectName(QStringLiteral("CodeCheck%1").arg(n));
        row.check->setGeometry(kCheckLeft, top, kCheckWidth, 22);
        row.check->setAlignment(Qt::AlignCenter);
        QFont small = row.check->font();
        small.setBold(true);
        small.setPixelSize(11);
        row.check->setFont(small);
        row.description = new QLineEdit(m_group);
        row.description->setObjectName(QStringLiteral("D%1").arg(n));
        row.description->setGeometry(kDescriptionLeft, top, kWidth - 8 - 8 - kDescriptionLeft, 22);
        AccessibleNames::nameAfter(row.description, descripcion, number);
    }
}

void GameGenieDialog::connectControls()
{
    const auto onClick = [this](const char *name, auto handler) {
        connect(findChild<QPushButton *>(QString::fromLatin1(name)), &QPushButton::clicked, this,
                guarded(std::move(handler)));
    };
    onClick("Button1", [this] { reject(); });
    onClick("Button2", [this] { changeTitle(); });
    onClick("Button5", [this] { saveAll(); });
    onClick("Button3", [this] { clearAll(); });
    onClick("Button4", [this] { loadCodes(); });
    onClick("Revisardatos", [this] { uncheckShortCodes(); });
    onClick("Button6", [this] { applyCheats(); });
    onClick("Button7", [this] { removeCheats(); });

    connect(m_title, &QLineEdit::textChanged, this, [this](const QString &text) { m_codes.setTitle(text); });
    for (int n = 1; n <= RowCount; ++n) {
        const Row &row = m_rows[n - 1];
        // A box set from code runs its handler as a click does: toggled, not clicked.
        connect(row.box, &QCheckBox::toggled, this,
                guarded([this, n](bool checked) { act([&] { m_codes.setActive(n, checked); }); }));
        connect(row.code, &QLineEdit::textChanged, this, [this, n](const QString &text) {
            m_codes.setCode(n, text);
            showCodeCheck(n);
        });
        connect(row.description, &QLineEdit::textChanged, this,
                [this, n](const QString &text) { m_codes.setDescription(n, text); });
    }
}

// ---- Showing the rules ----

template <typename F> void GameGenieDialog::act(F action)
{
    struct Refresh
    {
        GameGenieDialog *dialog;
        ~Refresh() { dialog->loadFromRules(); }
    } refresh{this};
    action();
}

void GameGenieDialog::loadFromRules()
{
    m_internalName->setText(m_codes.internalName());
    {
        const QSignalBlocker blocker(m_title);
        setTextIfChanged(m_title, m_codes.title());
    }
    m_group->setVisible(m_codes.codesShown());
    m_group->setEnabled(m_codes.codesShown());
    // The hint behind the group is hidden with it, so the keyboard never reaches it unseen.
    m_panel->setVisible(!m_codes.codesShown());
    for (int n = 1; n <= RowCount; ++n) {
        const Row &row = m_rows[n - 1];
        const CodeRow &rules = m_codes.row(n);
        const QSignalBlocker boxBlocker(row.box);
        const QSignalBlocker codeBlocker(row.code);
        const QSignalBlocker descriptionBlocker(row.description);
        row.box->setChecked(rules.active);
        // The limit is for typing: a longer code stored in the file is shown whole, as it is saved and sent.
        row.code->setMaxLength(qMax(kCodeLength, int(rules.code.size())));
        setTextIfChanged(row.code, rules.code);
        setTextIfChanged(row.description, rules.description);
        showCodeCheck(n);
    }
}

void GameGenieDialog::showCodeCheck(int n)
{
    const Row &row = m_rows[n - 1];
    // The rules' text: a stored code longer than the field admits is judged whole.
    const CheatCodeFormat::Verdict verdict = CheatCodeFormat::check(m_codes.row(n).code);
    QString mark;
    QColor colour;
    switch (verdict.kind) {
    case CheatCodeFormat::Kind::Empty:
        break;
    case CheatCodeFormat::Kind::GameGenie:
        mark = QStringLiteral("GG");
        colour = QColor(0x1b, 0x7a, 0x1b);
        break;
    case CheatCodeFormat::Kind::GameShark:
        mark = QStringLiteral("GS");
        colour = QColor(0x1b, 0x7a, 0x1b);
        break;
    case CheatCodeFormat::Kind::Unknown:
        mark = QStringLiteral("?");
        colour = QColor(0xc0, 0x20, 0x20);
        break;
    }
    row.check->setText(mark);
    QPalette palette = row.check->palette();
    palette.setColor(QPalette::WindowText, colour.isValid() ? colour : palette.color(QPalette::WindowText));
    row.check->setPalette(palette);
    row.check->setToolTip(verdict.hint);
    row.code->setToolTip(verdict.hint);
    row.code->setAccessibleDescription(verdict.hint);
}

// ---- Filled by the selection loader ----

void GameGenieDialog::showInternalName(const QString &name)
{
    act([&] {
        m_codes.setInternalName(name);
        m_codes.setCodesShown(!name.isEmpty());
    });
}

void GameGenieDialog::showTitle(const QString &title)
{
    act([&] { m_codes.setTitle(title); });
}

void GameGenieDialog::showRows(const CodeSet &rows)
{
    act([&] { m_codes.setRows(rows); });
}

// ---- The actions ----

void GameGenieDialog::uncheckShortCodes()
{
    act([&] { m_codes.uncheckShortCodes(); });
}

void GameGenieDialog::applyCheats()
{
    m_codes.applyCheats();
}

void GameGenieDialog::removeCheats()
{
    m_codes.removeCheats();
}

void GameGenieDialog::saveAll()
{
    act([&] { m_codes.saveAll(); });
}

void GameGenieDialog::clearAll()
{
    act([&] { m_codes.clearAll(); });
}

void GameGenieDialog::loadCodes()
{
    act([&] { m_codes.loadCodes(); });
}

void GameGenieDialog::changeTitle()
{
    if (const auto stored = GameDetails::storeTitle(m_session.selectedStem(), m_codes.title())) {
        m_session.showTitle(*stored);
        m_session.titlesStored();
    }
}

// ---- Opening and closing ----

void GameGenieDialog::openBesideMainWindow()
{
    QWidget &main = *m_session.window();
    const int mainLeft = main.x();
    // Opened again while open, it keeps the edges to go back to from its first opening.
    if (!isVisible() || !m_edgesBeforeOpening)
        m_edgesBeforeOpening = Edges{mainLeft, x()};
    // A main window grown wider than designed (a larger font, a longer translation) keeps the dialog beside it.
    const int room = qMax(kMainWindowRoom, main.frameGeometry().width());
    if (mainLeft <= kMainWindowLeftmost) {
        move(mainLeft + room, main.y());
    } else {
        main.move(kMainWindowLeftmost, main.y());
        move(kMainWindowLeftmost + room, main.y());
    }
    show();
    activateWindow();
}

void GameGenieDialog::reject()
{
    if (const auto edges = std::exchange(m_edgesBeforeOpening, std::nullopt)) {
        QWidget &main = *m_session.window();
        main.move(edges->mainWindow, main.y());
        move(edges->dialog, y());
    }
    FormWindow::reject();
}

void GameGenieDialog::showEmulatorUse()
{
    // Zibo reads the codes from Zibo.cfg and has nothing to add: the dialog then looks as it always has.
    const SettingsFile settings;
    const QString program = settings.read(Keys::Zibo, Places::defaultEmulatorName());
    const QString text = Emulators::of(EmulatorKinds::ofStored(settings, program)).codesUse(program);
    m_emulatorUse->setText(text);
    m_emulatorUse->setVisible(!text.isEmpty());
    setFixedSize(kWidth, text.isEmpty() ? kHeight : kHeight + kUseLineHeight);
}

void GameGenieDialog::showEvent(QShowEvent *event)
{
    showEmulatorUse();
    FormWindow::showEvent(event);
    guarded([this] {
        if (!m_session.selectedEntry())
            act([&] { m_codes.setInternalName(QString()); });
        m_session.loadSelectedGameDetails();
    })();
}

void GameGenieDialog::keyPressEvent(QKeyEvent *event)
{
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (auto *button = qobject_cast<QPushButton *>(focusWidget()); enter && button) {
        button->click();
        return;
    }
    FormWindow::keyPressEvent(event);
}
