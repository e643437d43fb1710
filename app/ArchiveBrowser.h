#pragma once
// File → "档案库…": the archive's entries in a table with the filters of `archive list` (model,
// words of the title or description, period, device, only those with excursions), sortable by any
// column; the chosen entry's identity, provenance and trail beside it. "打开" puts the entry into
// the history panel, "导出…" writes it in the format of the name's extension, "叠加比较" draws 2 … 12
// chosen entries together. Not modal: the window goes on working while it is open.
#include <QWidget>
#include <functional>
#include <memory>

#include "app/ArchiveEntryModel.h"
#include "history/HistoryDataSet.h"

class QCheckBox;
class QComboBox;
class QDateTimeEdit;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QSortFilterProxyModel;
class QTableView;
class QTimer;

namespace veldrin {

class UnitMenu;
class WindowArchive;

class ArchiveBrowser : public QWidget {
    Q_OBJECT
  public:
    // Puts an opened entry's history into the window's history panel.
    using EntryOpener = std::function<void(const archive::EntrySummary&, std::unique_ptr<HistoryDataSet>)>;

    // `archive` must outlive the browser, and so must `units`, whose unit the comparison and the
    // exports show temperatures in (°C without it).
    ArchiveBrowser(WindowArchive& archive, EntryOpener opener, const UnitMenu* units = nullptr,
                   QWidget* parent = nullptr);
    ~ArchiveBrowser() override;

    // Lists the entries the filters let through (the filters call it themselves, a moment after
    // the last change).
    void Reload();

    QTableView* Table() const { return table_; }
    const ArchiveEntryModel& Entries() const { return *entries_; }
    QLineEdit* TextFilter() const { return text_; }
    QComboBox* ModelFilter() const { return model_; }
    QDateTimeEdit* FromFilter() const { return from_; }
    QDateTimeEdit* ToFilter() const { return to_; }
    QLineEdit* DeviceFilter() const { return device_; }
    QCheckBox* ExcursionFilter() const { return excursions_; }
    QPushButton* OpenButton() const { return open_; }
    QPushButton* ExportButton() const { return export_; }
    QPushButton* CompareButton() const { return compare_; }
    QPlainTextEdit* Details() const { return details_; }
    QLabel* Status() const { return status_; }

  private:
    void BuildFilters();
    void BuildButtons();
    archive::EntryFilter Filter() const;
    // The entries of the rows chosen in the table, in the table's order.
    std::vector<archive::EntrySummary> Chosen() const;
    void ShowDetails();
    void OpenChosen();
    void ExportChosen();
    void CompareChosen();
    // Says what went wrong in a message box over the browser.
    void Refuse(const QString& what, const QString& why);

    WindowArchive& archive_;
    EntryOpener opener_;
    const UnitMenu* units_;
    ArchiveEntryModel* entries_ = nullptr;
    QSortFilterProxyModel* sorted_ = nullptr;
    QTableView* table_ = nullptr;
    QComboBox* model_ = nullptr;
    QLineEdit* text_ = nullptr;
    QDateTimeEdit* from_ = nullptr;
    QDateTimeEdit* to_ = nullptr;
    QLineEdit* device_ = nullptr;
    QCheckBox* excursions_ = nullptr;
    QPushButton* open_ = nullptr;
    QPushButton* export_ = nullptr;
    QPushButton* compare_ = nullptr;
    QPlainTextEdit* details_ = nullptr;
    QLabel* status_ = nullptr;
    QTimer* reload_ = nullptr;
};

}  // namespace veldrin
