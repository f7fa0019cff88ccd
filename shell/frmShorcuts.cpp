#include "frmShorcuts.h"

#include "NavigationKeys.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMouseEvent>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

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

// The right edge of the pane, dragged to make the pane wider or narrower.
class PaneGrip : public QWidget {
public:
    explicit PaneGrip(frmShorcuts& pane) : QWidget(&pane), pane_(pane)
    {
        setObjectName("PaneGrip");
        setCursor(Qt::SplitHCursor);
        setFixedWidth(style()->pixelMetric(QStyle::PM_SplitterWidth, nullptr, this) + 2);
    }

protected:
    void mousePressEvent(QMouseEvent* event) override
    {
        if (event->button() == Qt::LeftButton)
            grabbedAt_ = event->position().toPoint().x();
    }
    void mouseMoveEvent(QMouseEvent* event) override
    {
        if (grabbedAt_ < 0)
            return;
        const int edge = mapTo(&pane_, event->position().toPoint()).x() + width() - grabbedAt_;
        emit pane_.WidthDragged(edge);
    }
    void mouseReleaseEvent(QMouseEvent*) override { grabbedAt_ = -1; }

private:
    frmShorcuts& pane_;
    int grabbedAt_ = -1;
};

int nodeDepth(const QTreeWidgetItem& node)
{
    int depth = 0;
    for (const QTreeWidgetItem* parent = node.parent(); parent; parent = parent->parent())
        ++depth;
    return depth;
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
    // The arrow keys move the highlight, and the highlighted node is the view shown.
    connect(tree_, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* node) { nodeClicked(node); });

    auto* content = new QVBoxLayout;
    content->setContentsMargins(0, 0, 0, 0);
    content->setSpacing(0);
    content->addWidget(captionBar);
    content->addWidget(tree_, 1);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addLayout(content, 1);
    layout->addWidget(new PaneGrip(*this));

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
    {
        const QSignalBlocker quiet(tree_);  // the view is asked for once, below
        tree_->setCurrentItem(node);
    }
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

int frmShorcuts::FittingWidth() const
{
    const QFontMetrics metrics = tree_->fontMetrics();
    const int icon = tree_->iconSize().isValid() ? tree_->iconSize().width()
                                                 : style()->pixelMetric(QStyle::PM_SmallIconSize, nullptr, tree_);
    int widest = 0;
    for (QTreeWidgetItemIterator it(tree_); *it; ++it) {
        const QTreeWidgetItem& node = **it;
        const int indent = (nodeDepth(node) + 1) * tree_->indentation();
        widest = std::max(widest, indent + metrics.horizontalAdvance(node.text(0)));
    }
    // Item margins on both sides of the icon and the text, the tree's frame and its scroll bar.
    const int margins = 4 * style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, tree_) + 8;
    return widest + icon + margins + 2 * tree_->frameWidth() + tree_->verticalScrollBar()->sizeHint().width() +
           findChild<QWidget*>("PaneGrip")->width();
}
