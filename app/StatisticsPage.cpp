#include "app/StatisticsPage.h"

#include <QItemSelectionModel>
#include <QLabel>
#include <QVBoxLayout>

#include "app/PanelPages.h"
#include "measure/ExcursionListModel.h"

namespace veldrin {

StatisticsPage::StatisticsPage()
    : figures_(new ListPage), excursionsTitle_(new QLabel(tr("超限记录"))), excursions_(new ListPage) {
    figures_->setObjectName(QStringLiteral("statisticsFigures"));
    excursions_->setObjectName(QStringLiteral("excursionList"));
    excursions_->setSelectionMode(QAbstractItemView::SingleSelection);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(figures_, 3);
    layout->addWidget(excursionsTitle_);
    layout->addWidget(excursions_, 2);
}

void StatisticsPage::SetLists(QAbstractItemModel* figures, ExcursionListModel* excursions) {
    figures_->SetList(figures, false);
    excursions_->SetList(excursions, false);
    excursionList_ = excursions;
    if (excursions == nullptr) {
        return;
    }
    auto updateTitle = [this] {
        excursionsTitle_->setText(tr("超限记录（%1次）").arg(excursionList_->rowCount()));
    };
    connect(excursions, &QAbstractItemModel::modelReset, this, updateTitle);
    updateTitle();
    // A row becomes current by the keyboard or the mouse; a click on the current row chooses it
    // again.
    auto choose = [this](const QModelIndex& row) {
        const int index = excursionList_->FirstSampleOf(row.row());
        if (index >= 0) {
            emit excursionChosen(index);
        }
    };
    connect(excursions_->selectionModel(), &QItemSelectionModel::currentRowChanged, this, choose);
    connect(excursions_, &QAbstractItemView::clicked, this, choose);
}

}  // namespace veldrin
