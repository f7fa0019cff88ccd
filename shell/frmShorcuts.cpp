#include "frmShorcuts.h"

#include "NavigationKeys.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

constexpr int kKeyRole = Qt::UserRole;
constexpr int kTagRole = Qt::UserRole + 1;

struct NodeDefinition {
    const char* key;
    const char* text;
};

// The view nodes under "Vantora" and their filter nodes, in tree order.
struct ViewNodes {
    NodeDefinition view;
    std::vector<NodeDefinition> filters;
};

const std::vector<ViewNodes>& viewNodes()
{
    static const std::vector<ViewNodes> nodes = {
        {{"K00.00", "Charges"}, {{"K00.04", "Ready"}, {"K00.05", "Posted"}, {"K00.13", "Archived"}}},
        {{"K01.00", "Patients"},
         {{"K01.02", "Admitted"}, {"K01.03", "Not Admitted"}, {"K01.01", "Incomplete"},
          {"K01.15", "Duplicated DOB"}, {"K01.16", "Duplicated Names"}, {"K01.17", "Duplicated Names+DOB"},
          {"K01.18", "Duplicated Accounts"}}},
        {{"K02.00", "Doctors"}, {{"K02.01", "Incomplete"}}},
        {{"K03.00", "Facilities"}, {{"K03.01", "Incomplete"}}},
        {{"K04.00", "Diagnosis"}, {{"K04.01", "Incomplete"}}},
        {{"K05.00", "Procedures"}, {{"K05.01", "Incomplete"}}},
        {{"K06.00", "Insurances"}, {{"K06.01", "Incomplete"}}},
        {{"K07.00", "E & M Concepts"},
         {{"K07.06", "Hospitals"}, {"K07.07", "Board & Care"}, {"K07.08", "Extended Care Facilities"},
          {"K07.09", "Home"}, {"K07.14", "Office"}, {"K07.01", "Incomplete"}}},
        {{"K08.00", "History Items"}, {{"K08.10", "Allergies"}, {"K08.11", "Past Medical"}, {"K08.12", "Past Surgical"}}},
        {{"K09.00", "Diagnosis Groups"}, {}},
    };
    return nodes;
}

QTreeWidgetItem* makeNode(const NodeDefinition& definition, const QIcon& icon)
{
    auto* node = new QTreeWidgetItem(QStringList{definition.text});
    node->setData(0, kKeyRole, QString(definition.key));
    node->setIcon(0, icon);
    return node;
}

}  // namespace

frmShorcuts::frmShorcuts(QWidget* parent) : QWidget(parent)
{
    setObjectName("frmShorcuts");
    setWindowTitle("Shortcuts");

    auto* captionBar = new QWidget(this);
    captionBar->setObjectName("CaptionBar");
    captionBar->setAutoFillBackground(true);
    captionBar->setBackgroundRole(QPalette::Mid);
    auto* caption = new QLabel(windowTitle(), captionBar);
    caption->setObjectName("lblCaption");
    auto* closeButton = new QToolButton(captionBar);
    closeButton->setObjectName("btnClose");
    closeButton->setIcon(style()->standardIcon(QStyle::SP_TitleBarCloseButton));
    closeButton->setAutoRaise(true);
    closeButton->setToolTip("Close");
    connect(closeButton, &QToolButton::clicked, this, &frmShorcuts::CloseRequested);
    auto* captionLayout = new QHBoxLayout(captionBar);
    captionLayout->setContentsMargins(4, 1, 1, 1);
    captionLayout->addWidget(caption, 1);
    captionLayout->addWidget(closeButton);

    tree_ = new QTreeWidget(this);
    tree_->setObjectName("TreeView1");
    tree_->setHeaderHidden(true);
    tree_->setColumnCount(1);
    tree_->header()->setStretchLastSection(true);
    connect(tree_, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* node) { nodeClicked(node); });

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(captionBar);
    layout->addWidget(tree_, 1);

    buildTree();
}

void frmShorcuts::buildTree()
{
    const QIcon earth = style()->standardIcon(QStyle::SP_DriveNetIcon);
    const QIcon paper = style()->standardIcon(QStyle::SP_FileIcon);

    QTreeWidgetItem* product = makeNode({"K10.00", "Vantora"}, earth);
    product->setData(0, kTagRole, QString("Vantora"));
    tree_->addTopLevelItem(product);
    for (const ViewNodes& view : viewNodes()) {
        QTreeWidgetItem* viewNode = makeNode(view.view, paper);
        product->addChild(viewNode);
        for (const NodeDefinition& filter : view.filters)
            viewNode->addChild(makeNode(filter, paper));
    }
    QTreeWidgetItem* web = makeNode({"K12.00", "Kelmion on the Web"}, earth);
    tree_->addTopLevelItem(web);
    product->setExpanded(true);
    web->setExpanded(true);
}

QString frmShorcuts::NodeKeyOf(const QTreeWidgetItem& node)
{
    return node.data(0, kKeyRole).toString();
}

QTreeWidgetItem* frmShorcuts::FindNode(const QString& key) const
{
    for (QTreeWidgetItemIterator it(tree_); *it; ++it) {
        if (NodeKeyOf(**it) == key)
            return *it;
    }
    return nullptr;
}

bool frmShorcuts::FuerzaNodeClick(qint16 view, qint16 filter)
{
    QTreeWidgetItem* node = FindNode(NodeKey(view, filter));
    if (!node)
        return false;
    tree_->setCurrentItem(node);
    emit ViewChosen(view, filter);
    return true;
}

void frmShorcuts::nodeClicked(QTreeWidgetItem* node)
{
    if (!node)
        return;
    const QString key = NodeKeyOf(*node);
    emit ViewChosen(NodeKeyView(key), NodeKeyFilter(key));
}
