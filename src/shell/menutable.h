#pragma once

#include <QIcon>
#include <QList>
#include <QObject>
#include <QString>

class QLabel;
class QTableWidget;
class QTableWidgetItem;
class QToolButton;

// One row of a list page: its text and, in the icon column, its icon (a row
// without an icon shows a blank cell there).
struct MenuRow {
    QString text;
    QIcon icon;
};

// The list of a menu page (control, levelling, preheat, settings, language,
// Wi-Fi): a table without headers, grid, editing, focus or vertical scroll
// bar, one whole row selectable, rows 47 px high in four columns (10 px
// margin, text, icon column, 10 px margin), paged `rowsPerPage` rows at a
// time. A row acts when pressed: rowPressed() carries its index into the
// whole list. The optional paging controls (`up`, `down` and the "n/m"
// label) are shown only when there is more than one page, unless the page
// shows them itself.
//
// A page supplies its rows and reacts to presses:
//
//     m_menu = new MenuTable(ui->tableWidget, this);
//     m_menu->setPaging(ui->up, ui->down, ui->show);
//     connect(m_menu, &MenuTable::rowPressed, this, &Setting::rowPressed);
//     m_menu->setRows(rows);
class MenuTable : public QObject {
    Q_OBJECT
public:
    static constexpr int RowHeight = 47;
    static constexpr int MarginColumnWidth = 10;

    MenuTable(QTableWidget *table, QObject *parent, int rowsPerPage = 7, int iconColumnWidth = 42);

    enum class PagingControls { HiddenOnSinglePage, ShownByPage };
    void setPaging(QToolButton *up, QToolButton *down, QLabel *pageLabel,
                   PagingControls shown = PagingControls::HiddenOnSinglePage);

    // Replaces the rows and redraws, staying on the current page when it
    // still exists (toggling a row keeps the page on screen).
    void setRows(const QList<MenuRow> &rows);
    const QList<MenuRow> &rows() const { return m_rows; }

    void setPage(int page);
    int page() const { return m_page; }
    int pageCount() const;

signals:
    void rowPressed(int index);

private:
    void onItemPressed(QTableWidgetItem *item);
    void redraw();

    QTableWidget *m_table;
    QToolButton *m_up = nullptr;
    QToolButton *m_down = nullptr;
    QLabel *m_pageLabel = nullptr;
    PagingControls m_pagingShown = PagingControls::HiddenOnSinglePage;
    QList<MenuRow> m_rows;
    int m_rowsPerPage;
    int m_page = 0;
};
