#include "commandregistry.h"

#include "output/stringtable.h"
#include "pages/quadriviumdoc.h"

#include <QAction>
#include <QFile>
#include <QIcon>

namespace quadrivium {

namespace {
constexpr int kMaxTooltip = 79;
}

CCommandRegistry::CCommandRegistry(CQuadriviumDoc &document, QObject *parent)
    : QObject(parent)
    , m_document(document)
{
    connect(&m_document, &CQuadriviumDoc::personChanged, this, &CCommandRegistry::updateStates);
    connect(&m_document, &CQuadriviumDoc::currentCommandChanged, this, &CCommandRegistry::updateStates);
}

QAction *CCommandRegistry::add(int id, const QString &text, Flags flags, const QKeySequence &shortcut,
                               const QIcon &icon)
{
    if (auto it = m_actions.constFind(id); it != m_actions.constEnd())
        return it->action;
    auto *action = new QAction(icon, text, this);
    action->setData(id);
    action->setObjectName(QStringLiteral("cmd%1").arg(id));
    if (!shortcut.isEmpty())
        action->setShortcut(shortcut);
    const QString tip = tooltipText(id);
    if (!tip.isEmpty()) {
        action->setToolTip(tip);
        action->setStatusTip(tip);
    }
    action->setCheckable(flags & (MarkedWhileCurrent | Checkable));
    connect(action, &QAction::triggered, this, [this, id] { emit commandTriggered(id); });
    const auto entry = m_actions.insert(id, Entry{action, flags, {}});
    m_order.push_back(id);
    updateState(entry.key(), entry.value());
    return action;
}

QAction *CCommandRegistry::action(int id) const
{
    const auto it = m_actions.constFind(id);
    return it == m_actions.constEnd() ? nullptr : it->action;
}

void CCommandRegistry::setEnableRule(int id, std::function<bool()> rule)
{
    auto it = m_actions.find(id);
    if (it == m_actions.end())
        return;
    it->rule = std::move(rule);
    updateState(it.key(), it.value());
}

void CCommandRegistry::updateStates()
{
    for (auto it = m_actions.cbegin(); it != m_actions.cend(); ++it)
        updateState(it.key(), it.value());
}

void CCommandRegistry::updateState(int id, const Entry &e) const
{
    bool enabled = !(e.flags & NeedsPerson) || m_document.hasPerson();
    if (enabled && e.rule)
        enabled = e.rule();
    e.action->setEnabled(enabled);
    if (e.flags & MarkedWhileCurrent)
        e.action->setChecked(m_document.currentCommand() == id);
}

QString CCommandRegistry::tooltipText(int id)
{
    // A string may carry a status line and a tooltip separated by a line
    // break; the tooltip is the part before it.
    QString text = LoadString(id).section(QLatin1Char('\n'), 0, 0);
    if (text.size() > kMaxTooltip)
        text.truncate(kMaxTooltip);
    return text;
}

QIcon ProgramIcon(const QString &name, const QString &fallback)
{
    if (name.startsWith(QLatin1Char(':')))
        return QIcon(name);
    QString bundled = fallback.isEmpty() ? QStringLiteral(":/icons/%1.svg").arg(name) : fallback;
    if (!QFile::exists(bundled))
        return QIcon::fromTheme(name);
    return QIcon::fromTheme(name, QIcon(bundled));
}

} // namespace quadrivium
