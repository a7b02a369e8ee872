#include "menutable.h"
#include "shellstyle.h"

#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QToolButton>

namespace {

QTableWidgetItem *blankItem()
{
    return new QTableWidgetItem(QStringLiteral(" "));
}

} // namespace

MenuTable::MenuTable(QTableWidget *table, QObject *parent, int rowsPerPage, int iconColumnWidth)
    : QObject(parent)
    , m_table(table)
    , m_rowsPerPage(rowsPerPage)
{
    table->setStyleSheet(QString::fromLatin1(ShellStyle::MenuTable));
    table->setRowCount(0);
    table->setColumnCount(4);
    table->horizontalHeader()->setVisible(false);
    table->verticalHeader()->setVisible(false);
    // The hidden header would still widen the 10-px margin columns.
    table->horizontalHeader()->setMinimumSectionSize(0);
    table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table->verticalHeader()->setDefaultSectionSize(RowHeight);
    table->setColumnWidth(0, MarginColumnWidth);
    table->setColumnWidth(1, table->width() - 2 * MarginColumnWidth - iconColumnWidth);
    table->setColumnWidth(2, iconColumnWidth);
    table->setColumnWidth(3, MarginColumnWidth);
    table->setShowGrid(false);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setFocusPolicy(Qt::NoFocus);
    table->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    table->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    table->setIconSize(QSize(42, 42));
    connect(table, &QTableWidget::itemPressed, this, &MenuTable::onItemPressed);
}

void MenuTable::setPaging(QToolButton *up, QToolButton *down, QLabel *pageLabel, PagingControls shown)
{
    m_pagingShown = shown;
    m_up = up;
    m_down = down;
    m_pageLabel = pageLabel;
    m_up->setStyleSheet(QString::fromLatin1(ShellStyle::PageUpButton));
    m_down->setStyleSheet(QString::fromLatin1(ShellStyle::PageDownButton));
    connect(m_up, &QToolButton::clicked, this, [this] { setPage(m_page - 1); });
    connect(m_down, &QToolButton::clicked, this, [this] { setPage(m_page + 1); });
    redraw();
}

void MenuTable::setRows(const QList<MenuRow> &rows)
{
    m_rows = rows;
    m_page = qMin(m_page, pageCount() - 1);
    redraw();
}

void MenuTable::setPage(int page)
{
    if (page < 0 || page >= pageCount())
        return;
    m_page = page;
    redraw();
}

int MenuTable::pageCount() const
{
    return m_rows.isEmpty() ? 1 : (m_rows.size() - 1) / m_rowsPerPage + 1;
}

void MenuTable::onItemPressed(QTableWidgetItem *item)
{
    const int index = m_page * m_rowsPerPage + item->row();
    if (index < m_rows.size())
        emit rowPressed(index);
}

void MenuTable::redraw()
{
    const int first = m_page * m_rowsPerPage;
    const int shown = qMin(m_rowsPerPage, m_rows.size() - first);
    m_table->clearContents();
    m_table->setRowCount(shown);
    for (int r = 0; r < shown; ++r) {
        const MenuRow &row = m_rows.at(first + r);
        m_table->setRowHeight(r, RowHeight);
        m_table->setItem(r, 0, blankItem());
        m_table->setItem(r, 1, new QTableWidgetItem(row.text));
        m_table->setItem(r, 2, row.icon.isNull() ? blankItem() : new QTableWidgetItem(row.icon, QString()));
        m_table->setItem(r, 3, blankItem());
    }

    if (!m_up)
        return;
    if (m_pagingShown == PagingControls::HiddenOnSinglePage) {
        const bool paged = pageCount() > 1;
        m_up->setVisible(paged);
        m_down->setVisible(paged);
        m_pageLabel->setVisible(paged);
    }
    m_up->setEnabled(m_page > 0);
    m_down->setEnabled(m_page < pageCount() - 1);
    m_pageLabel->setText(QStringLiteral("%1/%2").arg(m_page + 1).arg(pageCount()));
}
