#include "ColumnChooser.h"

#include <QStringList>
#include <algorithm>

namespace {
QString withoutBrackets(QString text)
{
    return text.remove(QLatin1Char('[')).remove(QLatin1Char(']'));
}
}  // namespace

void ColumnChooser::load(const QString& gCampos, const QString& gCamposSel, const QString& gOrdinalSel)
{
    entries.clear();
    current = -1;
    keyEntry.clear();

    QString remainder = gCamposSel;
    if (!gCamposSel.trimmed().isEmpty()) {
        QString ordinals = gOrdinalSel;
        for (int i = 0; !ordinals.trimmed().isEmpty(); ++i) {
            const qsizetype pipe = ordinals.indexOf(QLatin1Char('|'));
            ordinals = pipe < 0 ? QString() : ordinals.mid(pipe + 1);
            const qsizetype comma = remainder.indexOf(QLatin1Char(','));
            const QString item = comma < 0 ? remainder : remainder.left(comma);
            remainder = comma < 0 ? QString() : remainder.mid(comma + 1);
            entries.insert(entries.begin() + std::min<std::size_t>(static_cast<std::size_t>(i), entries.size()),
                           Entry{withoutBrackets(item).trimmed(), true});
        }
    }
    const QString key = remainder.trimmed();
    for (const QString& item : gCampos.split(QLatin1Char('|'))) {
        if (item.isEmpty())
            continue;
        if (!gCamposSel.contains(item) || item.trimmed() == key)
            entries.push_back(Entry{withoutBrackets(item), false});
    }
    if (!entries.empty()) {
        keyEntry = entries.back().text;
        entries.pop_back();
    }
    current = entries.empty() ? -1 : 0;
}

bool ColumnChooser::moveUp()
{
    if (current <= 0 || current >= static_cast<int>(entries.size()))
        return false;
    const Entry moved{entries[static_cast<std::size_t>(current)].text, false};
    entries.erase(entries.begin() + current);
    entries.insert(entries.begin() + current - 1, moved);
    --current;
    return true;
}

bool ColumnChooser::moveDown()
{
    if (current < 0 || current >= static_cast<int>(entries.size()) - 1)
        return false;
    const Entry moved{entries[static_cast<std::size_t>(current)].text, false};
    entries.erase(entries.begin() + current);
    entries.insert(entries.begin() + current + 1, moved);
    ++current;
    return true;
}

void ColumnChooser::selectAll()
{
    for (Entry& e : entries)
        e.selected = true;
}

ColumnChooser::Choice ColumnChooser::apply() const
{
    Choice choice;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const QString bracketed = QStringLiteral("[") + entries[i].text + QStringLiteral("]");
        if (entries[i].selected) {
            choice.gCamposSel += (choice.gCamposSel.isEmpty() ? QString() : QStringLiteral(", ")) + bracketed;
            choice.gOrdinalSel += (choice.gOrdinalSel.isEmpty() ? QString() : QStringLiteral("|")) + QString::number(i);
        }
        choice.gCamposOrden += (choice.gCamposOrden.isEmpty() ? QString() : QStringLiteral(", ")) + bracketed;
    }
    const QString key = QStringLiteral(", [") + keyEntry + QStringLiteral("]");
    if (!choice.gCamposSel.trimmed().isEmpty())
        choice.gCamposSel += key;
    choice.gCamposOrden += key;
    if (!choice.gOrdinalSel.isEmpty())
        choice.gOrdinalSel += QLatin1Char('|');
    return choice;
}
