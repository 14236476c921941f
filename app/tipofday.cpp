#include "tipofday.h"

#include "commandregistry.h"

#include "output/stringids.h"
#include "output/stringtable.h"
#include "store/location.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDateTime>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSettings>
#include <QVBoxLayout>

namespace quadrivium {

namespace {
const char *const kStartUp = "Tip/StartUp";
const char *const kFilePos = "Tip/FilePos";
const char *const kTimeStamp = "Tip/TimeStamp";

bool skipped(const QByteArray &line)
{
    if (line.isEmpty())
        return true;
    const char c = line.at(0);
    // A line of a file written with CR LF counts as the line feed it ends in.
    return c == ' ' || c == '\t' || c == '\n' || c == ';' || line == "\r\n" || line == "\r";
}

QString timeStampOf(const QString &path)
{
    return QFileInfo(path).lastModified().toUTC().toString(Qt::ISODateWithMs);
}
} // namespace

CTipOfDay::CTipOfDay(QSettings &settings, const QString &path)
    : m_settings(settings)
    , m_file(path)
{
    if (!m_file.open(QIODevice::ReadOnly)) {
        m_text = LoadString(kStrTipsMissing);
        return;
    }
    m_open = true;
    const QString stamp = timeStampOf(path);
    if (m_settings.value(QLatin1String(kTimeStamp)).toString() != stamp) {
        m_settings.setValue(QLatin1String(kTimeStamp), stamp);
    } else {
        const qint64 pos = m_settings.value(QLatin1String(kFilePos), 0).toLongLong();
        m_file.seek(pos >= 0 && pos <= m_file.size() ? pos : 0);
    }
    NextTip();
}

QString CTipOfDay::DefaultPath()
{
    const QString name = QStringLiteral("tips.txt");
    const QStringList folders = InstalledDataFolders();
    for (const QString &folder : folders) {
        const QString candidate = QDir(folder).filePath(name);
        if (QFileInfo::exists(candidate))
            return candidate;
    }
    return QDir(QCoreApplication::applicationDirPath()).filePath(name);
}

bool CTipOfDay::ShowAtStartup(QSettings &settings)
{
    return settings.value(QLatin1String(kStartUp), 0).toInt() == 0;
}

void CTipOfDay::NextTip()
{
    if (!canAdvance())
        return;
    bool wrapped = false;
    for (;;) {
        if (m_file.atEnd()) {
            // Having come round once from the beginning without a tip means
            // the file has none: stop instead of searching for ever.
            if (wrapped) {
                m_hasTips = false;
                m_text.clear();
                return;
            }
            wrapped = true;
            if (!m_file.seek(0)) {
                m_text = LoadString(kStrTipsUnreadable);
                return;
            }
            continue;
        }
        const QByteArray line = m_file.readLine(kMaxLine + 1);
        if (line.isEmpty() && m_file.error() != QFileDevice::NoError) {
            m_text = LoadString(kStrTipsUnreadable);
            return;
        }
        if (skipped(line))
            continue;
        QByteArray tip = line;
        if (tip.endsWith('\n'))
            tip.chop(1);
        if (tip.endsWith('\r'))
            tip.chop(1);
        m_text = QString::fromUtf8(tip);
        return;
    }
}

qint64 CTipOfDay::position() const
{
    return m_open ? m_file.pos() : 0;
}

void CTipOfDay::Close(bool showAtStartup)
{
    m_settings.setValue(QLatin1String(kStartUp), showAtStartup ? 0 : 1);
    m_settings.setValue(QLatin1String(kFilePos), position());
    m_settings.sync();
}

CTipDialog::CTipDialog(QSettings &settings, const QString &path, QWidget *parent)
    : QDialog(parent)
    , m_tips(settings, path)
    , m_tip(new QLabel(this))
    , m_startup(new QCheckBox(tr("&Show Tips on StartUp"), this))
    , m_next(new QPushButton(tr("&Next Tip"), this))
{
    setObjectName(QStringLiteral("tipDialog"));
    setWindowTitle(LoadString(kStrTipOfDay));

    auto *picture = new QLabel(this);
    picture->setPixmap(ProgramIcon(QStringLiteral(":/icons/tip.svg")).pixmap(48, 48));
    picture->setAlignment(Qt::AlignTop | Qt::AlignHCenter);
    auto *heading = new QLabel(LoadString(kStrTipHeading), this);
    QFont f = heading->font();
    f.setBold(true);
    f.setPointSizeF(f.pointSizeF() * 1.4);
    heading->setFont(f);
    m_tip->setObjectName(QStringLiteral("tipText"));
    m_tip->setWordWrap(true);
    m_tip->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    m_tip->setMinimumSize(320, 110);
    m_tip->setTextFormat(Qt::PlainText);

    auto *area = new QFrame(this);
    area->setFrameShape(QFrame::StyledPanel);
    area->setBackgroundRole(QPalette::Base);
    area->setAutoFillBackground(true);
    auto *text = new QVBoxLayout;
    text->addWidget(heading);
    text->addWidget(m_tip, 1);
    auto *row = new QHBoxLayout(area);
    row->addWidget(picture);
    row->addLayout(text, 1);

    m_startup->setObjectName(QStringLiteral("showAtStartup"));
    m_startup->setChecked(CTipOfDay::ShowAtStartup(settings));
    m_next->setObjectName(QStringLiteral("nextTip"));
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->addButton(m_next, QDialogButtonBox::ActionRole);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_next, &QPushButton::clicked, this, [this] {
        m_tips.NextTip();
        showTip();
    });

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(area, 1);
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(m_startup);
    bottom->addStretch(1);
    bottom->addWidget(buttons);
    layout->addLayout(bottom);
    showTip();
}

CTipDialog::~CTipDialog()
{
    if (!m_closed)
        m_tips.Close(m_startup->isChecked());
}

QString CTipDialog::tipText() const
{
    return m_tip->text();
}

void CTipDialog::done(int result)
{
    if (!m_closed) {
        m_closed = true;
        m_tips.Close(m_startup->isChecked());
    }
    QDialog::done(result);
}

void CTipDialog::showTip()
{
    m_tip->setText(m_tips.text());
    m_next->setEnabled(m_tips.canAdvance());
}

} // namespace quadrivium
