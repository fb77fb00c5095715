// The report-style list view: a table model of UTF-8 cell texts and ticks, shown by
// a QTreeView with a header and no tree decoration.
//
// Rows keep their cells whatever the column count (a row's own text exists before
// any column does); the header's sections are the columns.
#include <QAbstractTableModel>
#include <QHeaderView>
#include <QTreeView>
#include <vector>

#include "platform/list_view.h"
#include "platform/window_internal.h"

namespace platform {

namespace {

struct ListColumn {
    QString caption;
    ColumnAlignment alignment;
};

struct ListRow {
    std::vector<QString> cells;  // index = column; missing cells are empty
    bool ticked = false;
};

class ListModel : public QAbstractTableModel {
public:
    ListModel(QObject* parent, bool checkBoxes) : QAbstractTableModel(parent), checkBoxes_(checkBoxes) {}

    int rowCount(const QModelIndex& parent = QModelIndex()) const override
    {
        return parent.isValid() ? 0 : static_cast<int>(rows_.size());
    }

    int columnCount(const QModelIndex& parent = QModelIndex()) const override
    {
        return parent.isValid() ? 0 : static_cast<int>(columns_.size());
    }

    QVariant data(const QModelIndex& index, int role) const override
    {
        if (!index.isValid())
            return {};
        const ListRow& row = rows_[static_cast<size_t>(index.row())];
        const size_t column = static_cast<size_t>(index.column());
        switch (role) {
        case Qt::DisplayRole:
            return column < row.cells.size() ? row.cells[column] : QString();
        case Qt::CheckStateRole:
            if (checkBoxes_ && column == 0)
                return row.ticked ? Qt::Checked : Qt::Unchecked;
            return {};
        case Qt::TextAlignmentRole:
            return QVariant::fromValue(alignmentOf(columns_[column].alignment));
        default:
            return {};
        }
    }

    bool setData(const QModelIndex& index, const QVariant& value, int role) override
    {
        // Only the user's click on a tick box comes this way.
        if (!index.isValid() || role != Qt::CheckStateRole || index.column() != 0 || !checkBoxes_)
            return false;
        rows_[static_cast<size_t>(index.row())].ticked =
            value.toInt() == static_cast<int>(Qt::Checked);
        emit dataChanged(index, index, {Qt::CheckStateRole});
        return true;
    }

    Qt::ItemFlags flags(const QModelIndex& index) const override
    {
        if (!index.isValid())
            return Qt::NoItemFlags;
        Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
        if (checkBoxes_ && index.column() == 0)
            f |= Qt::ItemIsUserCheckable;
        return f;
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (orientation != Qt::Horizontal || section < 0 || section >= columnCount())
            return {};
        if (role == Qt::DisplayRole)
            return columns_[static_cast<size_t>(section)].caption;
        if (role == Qt::TextAlignmentRole)
            return QVariant::fromValue(alignmentOf(columns_[static_cast<size_t>(section)].alignment));
        return {};
    }

    int insertColumn(int index, ColumnAlignment alignment, const QString& caption)
    {
        const int at = std::min(index, columnCount());
        beginInsertColumns(QModelIndex(), at, at);
        columns_.insert(columns_.begin() + at, ListColumn{caption, alignment});
        endInsertColumns();
        return at;
    }

    int insertRow(int at, const QString& text)
    {
        beginInsertRows(QModelIndex(), at, at);
        ListRow row;
        row.cells.push_back(text);
        rows_.insert(rows_.begin() + at, std::move(row));
        endInsertRows();
        return at;
    }

    bool removeRow(int at)
    {
        if (at < 0 || at >= rowCount())
            return false;
        beginRemoveRows(QModelIndex(), at, at);
        rows_.erase(rows_.begin() + at);
        endRemoveRows();
        return true;
    }

    void clear()
    {
        beginResetModel();
        rows_.clear();
        endResetModel();
    }

    bool hasRow(int row) const { return row >= 0 && row < rowCount(); }
    // Column 0 is the row's own text and always exists; sub-items need a column.
    bool hasCell(int row, int column) const
    {
        return hasRow(row) && column >= 0 && (column == 0 || column < columnCount());
    }

    bool setCell(int row, int column, const QString& text)
    {
        if (!hasCell(row, column))
            return false;
        auto& cells = rows_[static_cast<size_t>(row)].cells;
        if (cells.size() <= static_cast<size_t>(column))
            cells.resize(static_cast<size_t>(column) + 1);
        cells[static_cast<size_t>(column)] = text;
        if (column < columnCount())
            emit dataChanged(index(row, column), index(row, column), {Qt::DisplayRole});
        return true;
    }

    QString cell(int row, int column) const
    {
        if (!hasCell(row, column))
            return {};
        const auto& cells = rows_[static_cast<size_t>(row)].cells;
        return static_cast<size_t>(column) < cells.size() ? cells[static_cast<size_t>(column)] : QString();
    }

    bool ticked(int row) const { return hasRow(row) && rows_[static_cast<size_t>(row)].ticked; }

    void setTicked(int row, bool ticked)
    {
        rows_[static_cast<size_t>(row)].ticked = ticked;
        if (columnCount() > 0)
            emit dataChanged(index(row, 0), index(row, 0), {Qt::CheckStateRole});
    }

private:
    static Qt::Alignment alignmentOf(ColumnAlignment a)
    {
        switch (a) {
        case ColumnAlignment::Centre:
            return Qt::AlignHCenter | Qt::AlignVCenter;
        case ColumnAlignment::Right:
            return Qt::AlignRight | Qt::AlignVCenter;
        default:
            return Qt::AlignLeft | Qt::AlignVCenter;
        }
    }

    bool checkBoxes_;
    std::vector<ListColumn> columns_;
    std::vector<ListRow> rows_;
};

class ListView : public QTreeView {
public:
    ListView(QWidget* parent, uint32_t styles) : QTreeView(parent), model_(new ListModel(this, styles & ListCheckBoxes))
    {
        setModel(model_);
        setRootIsDecorated(false);
        setItemsExpandable(false);
        setUniformRowHeights(true);
        setSortingEnabled(false);
        setEditTriggers(QAbstractItemView::NoEditTriggers);
        setSelectionMode(QAbstractItemView::ExtendedSelection);
        setSelectionBehavior((styles & ListFullRowSelect) ? QAbstractItemView::SelectRows
                                                          : QAbstractItemView::SelectItems);
        setAllColumnsShowFocus(styles & ListFullRowSelect);
        setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
        header()->setStretchLastSection(false);
        header()->setSectionsMovable(false);
        header()->setSectionsClickable(false);
        if (!(styles & Border))
            setFrameStyle(QFrame::NoFrame);
    }

    ListModel* listModel() const { return model_; }

private:
    ListModel* model_;
};

ListView* listOf(WindowHandle window)
{
    QWidget* widget = widgetOf(window);
    if (!widget || widget->property(kKindProperty) != QVariant(static_cast<int>(ControlKind::ListView)))
        return nullptr;
    return static_cast<ListView*>(widget);
}

}  // namespace

QWidget* createListView(QWidget* client, const ControlTemplate& row)
{
    return new ListView(client, row.styles);
}

int listRowCount(WindowHandle list)
{
    ListView* view = listOf(list);
    return view ? view->listModel()->rowCount() : 0;
}

int listColumnCount(WindowHandle list)
{
    ListView* view = listOf(list);
    return view ? view->header()->count() : 0;
}

int insertListColumn(WindowHandle list, int index, ColumnAlignment alignment, int width,
                     const char* caption)
{
    ListView* view = listOf(list);
    if (!view || index < 0)
        return -1;
    const int at = view->listModel()->insertColumn(index, alignment, fromUtf8(caption));
    view->header()->resizeSection(at, std::max(0, width));
    return at;
}

int insertListRow(WindowHandle list, int row, int column, const char* text)
{
    ListView* view = listOf(list);
    if (!view || column != 0)
        return -1;
    ListModel* model = view->listModel();
    const int at = (row < 0 || row > model->rowCount()) ? model->rowCount() : row;
    return model->insertRow(at, fromUtf8(text));
}

bool setListCellText(WindowHandle list, int row, int column, const char* text)
{
    ListView* view = listOf(list);
    return view && view->listModel()->setCell(row, column, fromUtf8(text));
}

bool getListCellText(WindowHandle list, int row, int column, char* buffer, size_t capacity)
{
    ListView* view = listOf(list);
    if (!view || !view->listModel()->hasCell(row, column)) {
        if (buffer && capacity)
            buffer[0] = '\0';
        return false;
    }
    copyUtf8(view->listModel()->cell(row, column), buffer, capacity);
    return true;
}

bool isListRowTicked(WindowHandle list, int row)
{
    ListView* view = listOf(list);
    return view && view->listModel()->ticked(row);
}

bool setListRowTicked(WindowHandle list, int row, bool ticked)
{
    ListView* view = listOf(list);
    if (!view)
        return false;
    ListModel* model = view->listModel();
    if (row == -1) {
        for (int r = 0; r < model->rowCount(); ++r)
            model->setTicked(r, ticked);
        return true;
    }
    if (!model->hasRow(row))
        return false;
    model->setTicked(row, ticked);
    return true;
}

bool ensureListRowVisible(WindowHandle list, int row)
{
    ListView* view = listOf(list);
    if (!view || !view->listModel()->hasRow(row))
        return false;
    // A row can be scrolled to even before any column exists: use the model index
    // of column 0 when there is one.
    if (view->listModel()->columnCount() > 0)
        view->scrollTo(view->listModel()->index(row, 0), QAbstractItemView::EnsureVisible);
    return true;
}

bool deleteListRow(WindowHandle list, int row)
{
    ListView* view = listOf(list);
    return view && view->listModel()->removeRow(row);
}

void deleteAllListRows(WindowHandle list)
{
    if (ListView* view = listOf(list))
        view->listModel()->clear();
}

}  // namespace platform
