#pragma once

#include "core/ParCampoValor.h"
#include "platform/db/Types.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

// One column of a probe of the grid's query: its name and type code.
struct ProbeField {
    QString name;
    int type = 0;
};

// The engine of the paged grid: the one SELECT it pages over, what is taken
// out of that text (table, aliases, column lists), the paging state, and the
// statements built from them (probe, count, page, column-choice probe), the
// order clause and the search filter. It runs no statement and knows no
// widget: the grid hands it the probe's fields and the count, and runs what
// it builds.
//
// The query is SQL Server text over one table: no JOIN, no GROUP BY, an
// optional WHERE and ORDER BY, select-list items optionally aliased with
// " as ". Pages are selected by the key column `PrimaryKey`, which must be
// unique in the table: page n holds the rows whose key is not among the keys
// of the n - 1 pages before it.
//
// On the embedded database (`dialect` Sqlite) the same page is read with
// LIMIT and OFFSET, which SQLite answers without gathering the skipped keys;
// and a move to the next or the previous page in key order reads on from the
// last (or back from the first) key of the page shown, when that page was
// read by the same statement.
class GridQuery {
public:
    // --- settings (stored with the grid's host) ---------------------------
    QString Sql;
    QString PrimaryKey = QStringLiteral("ID");
    // The server's dialect, which decides the form of the page statement.
    db::Dialect dialect = db::Dialect::SqlServer;
    QString Campos;
    QString CamposSel;
    QString OrdinalSel;
    QString OrderBy;
    int OrdenSent = 0;  // 0 the query's own order, 1 ascending, 2 descending, 3 keep OrderBy
    int Find = 2;       // 1 mark matches on the page, 2 filter in the database
    int Order = 1;      // 1 one column at a time, 2 cumulative
    int PageSize = 5;
    int FormatDate = 103;

    // --- paging state -----------------------------------------------------
    int PaginaActual = 1;
    int UltimaPagina = 0;
    // Rows of the query as last counted; 0 means count again.
    qint64 rowCount = 0;
    // True when the last count found no row: the page then shows none.
    bool countedEmpty = false;
    // Accumulated search condition; empty when there is none.
    QString searchFilter;
    // Grid column the order clause was last built on.
    int orderColumn = 0;
    QString whereText;
    // Positions (from 0) of the shown columns that are dates, each as |i|.
    QString dateColumns;
    QString tableName;
    // Expression and alias of each aliased column, then one empty entry.
    std::vector<ParCampoValor> aliases{ParCampoValor{}};
    // Every shown column as [name], ", " between, then ", " and the key.
    QString plainColumns;
    // The chosen columns in the same form; empty when all are shown.
    QString chosenColumns;
    // Entries of the search-column list: "Todos", then the shown columns.
    QStringList filterColumns{QStringLiteral("Todos")};

    // The refusal of a query the grid cannot page (a JOIN or a GROUP BY);
    // empty when the query is acceptable.
    static QString refusal(const QString& sql);

    // Takes the aliases out of Sql.
    void CargaAlias();
    // Expression to alias (equivalencia true) or alias to expression (false);
    // a text that is no alias comes back as it is.
    QString EquiCampo(const QString& campo, bool equivalencia) const;
    // The column list as a select list: every item that is an alias becomes
    // its expression, " as " and the alias. Written back into `lista`.
    QString ArmaListaCampos(QString& lista) const;

    // Appends the blank every load adds, finds the table and resets the
    // paging state, the filter and the order column.
    void beginLoad();
    // A one-row probe of Sql, for its column names and types.
    QString probeSql() const;
    // Rebuilds Campos, the plain list, the date positions and the search
    // columns from the probe's fields.
    void CargarCampos(const std::vector<ProbeField>& fields);

    // The statement that counts the rows of Sql under the search filter.
    QString countSql() const;
    // Takes a count; none empties the search filter.
    void setCount(qint64 rows);
    // Number of pages of the counted rows.
    int pageCount() const;
    // After a count: the last page is the number of pages, and the current
    // page is never beyond it.
    void settlePages();
    // A page 0 or a last page 0 become 1.
    void normalizePages();
    QString pageLabel() const;
    // The counter of a grid that holds nothing: one page.
    static QString emptyPageLabel();

    // Builds OrderBy from OrdenSent and Order on the grid column `column`,
    // whose header reads `header`; returns the status text.
    QString ArmaOrderBy(int column, const QString& header);
    void ArmaWhere();
    // The paged FROM clause of page `page` (as the page list reads it).
    QString ArmaFromPaginado(int page);
    // The whole page statement (after ArmaOrderBy and ArmaWhere).
    QString pageSql(int page);
    // The page `pageSql` built last was shown, from the key of its first row
    // to the key of its last; or no page of it was (forgetPage).
    void pageShown(const QString& firstKey, const QString& lastKey);
    void forgetPage();

    // Search conditions of filter mode, for text `t`; an empty condition
    // adds nothing. `headers` are the grid's column headers from column 1 to
    // the one before the key. A date column takes a date only: nullopt when
    // `t` is no date and the column asks for one.
    std::optional<QString> searchCondition(int comboIndex, const QString& comboText, const QString& t,
                                           const QStringList& headers) const;
    void addSearch(const QString& condition);
    static std::optional<QDate> readDate(const QString& text);

    // The column chooser's input: every column closed by "|", the key last.
    QString chooserColumns() const;
    // The probe of a choice, and the choice taken from that probe's fields
    // (the key last). An empty choice shows every column again.
    QString choiceProbeSql(const QString& gCamposSel) const;
    void applyChoice(const std::vector<ProbeField>& fields, const QString& gOrdinalSel);
    void clearChoice();

    QString key() const;

private:
    bool orderNamesKey(const QString& orderBy) const;
    QString sqlitePageSql(int page, const QString& select);
    QString pagingOrder(bool outer) const;
    QString likeTerm(const QString& field, const QString& t) const;
    QString dateTerm(const QString& field, const QDate& date) const;
    void rebuildDateColumns(const std::vector<ProbeField>& fields);

    // Whether the key column reads as a whole number (keys are then compared
    // as numbers, in the order the pages are cut in).
    bool m_integerKey = false;
    // The page statement built last, without its position, and its page;
    // then the same for the page on screen, with its first and last key.
    struct Page {
        QString shape;
        int number = 0;
        QString firstKey;
        QString lastKey;
    };
    Page m_built;
    Page m_shown;
    // The column list the select list was built from last, under those
    // aliases, and the select list.
    struct SelectList {
        QString from;
        std::vector<ParCampoValor> aliases;
        QString select;
    };
    SelectList m_selectList;
    // The query and the search the WHERE text was built from last, and the
    // text.
    struct WhereText {
        bool built = false;
        QString sql;
        QString search;
        QString text;
    };
    WhereText m_where;
    void buildWhere();
};
