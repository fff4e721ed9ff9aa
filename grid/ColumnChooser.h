#pragma once

#include <QString>
#include <vector>

// The list of the column chooser: the chosen columns first and selected, the
// others after them, the key column kept apart; entries move up and down one
// place at a time, and applying gives the choice back as a select list of
// bracketed names ending with the key, with the list positions of the
// chosen entries.
class ColumnChooser {
public:
    struct Entry {
        QString text;
        bool selected = false;
    };

    struct Choice {
        QString gCamposSel;    // [A], [C], [ID]; empty when nothing is chosen
        QString gOrdinalSel;   // 0|2|; empty when nothing is chosen
        QString gCamposOrden;  // every entry in list order, then the key
    };

    std::vector<Entry> entries;
    int current = -1;
    QString keyEntry;

    // gCampos: every column closed by "|", the key last; gCamposSel and
    // gOrdinalSel: the choice as the grid holds it.
    void load(const QString& gCampos, const QString& gCamposSel, const QString& gOrdinalSel);
    // The moved entry arrives unselected and stays the current one.
    bool moveUp();
    bool moveDown();
    void selectAll();
    Choice apply() const;
};
