#include "TInterfaceList.h"

TInterfaceList::TInterfaceList(QWidget *parent) : QTreeWidget(parent) {}
