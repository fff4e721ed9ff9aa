#include "platform/StatusBar.h"

#include "platform/RuntimeError.h"
#include "platform/Value.h"

#include <QLabel>

QString StatusPanel::Text() const
{
    return m_label->text();
}

void StatusPanel::setText(const QString& text)
{
    m_label->setText(text);
}

StatusPanel& StatusPanels::Item(int index)
{
    if (index < 1 || index > Count())
        throw RuntimeError(errnum::SubscriptOutOfRange,
                           QStringLiteral("No existe el panel %1 en la barra de estado").arg(index));
    return *m_panels[static_cast<std::size_t>(index - 1)];
}

StatusPanel* StatusPanels::find(const QString& key)
{
    for (const auto& panel : m_panels)
        if (lang::sameText(panel->Key(), key))
            return panel.get();
    return nullptr;
}

StatusPanel& StatusPanels::Add(const QString& key, const QString& text)
{
    auto* label = new QLabel(text, &m_bar);
    label->setObjectName(key);
    m_bar.addPermanentWidget(label, 1);
    m_panels.push_back(std::unique_ptr<StatusPanel>(new StatusPanel(label, key)));
    return *m_panels.back();
}

StatusBar::StatusBar(QWidget* parent) : QStatusBar(parent), m_panels(*this)
{
    setSizeGripEnabled(false);
}
