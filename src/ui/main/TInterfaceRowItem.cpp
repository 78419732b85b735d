#include "TInterfaceRowItem.h"

#include "TImageList.h"
#include "Twnd_vx_Main.h"

#include <QFont>
#include <QIcon>
#include <QPixmap>

TInterfaceRowItem::TInterfaceRowItem(const Twnd_vx_Main &Owner, const TInterfaceRow &ARow, bool AChecked)
    : QTreeWidgetItem(UserType), Row(ARow), Checked(AChecked), FOwner(Owner)
{
    setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    setCheckState(0, Checked ? Qt::Checked : Qt::Unchecked);
    setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
    setTextAlignment(2, Qt::AlignRight | Qt::AlignVCenter);
}

QVariant TInterfaceRowItem::data(int column, int role) const
{
    switch (role) {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole:
        return FOwner.TreeGetText(Row, column);
    case Qt::DecorationRole:
        return column == 0 ? FOwner.InterfaceIcon(FOwner.TreeGetImageIndex(Row)) : QVariant();
    case Qt::FontRole:
        if (FOwner.TreePaintText(Row)) {
            QFont bold = treeWidget() != nullptr ? treeWidget()->font() : QFont();
            bold.setBold(true);
            return bold;
        }
        return {};
    default:
        return QTreeWidgetItem::data(column, role);
    }
}
