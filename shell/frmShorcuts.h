#pragma once
#include <QString>
#include <QTreeWidget>
#include <QWidget>

// The navigation pane: a tree with one node per view and per filter. Choosing a node asks
// the main window for that view and filter.
class frmShorcuts : public QWidget {
    Q_OBJECT
public:
    explicit frmShorcuts(QWidget* parent = nullptr);

    // Selects the node of the pair and asks for it; false, nothing asked, when no node has
    // that key.
    bool FuerzaNodeClick(qint16 view, qint16 filter);

    QTreeWidget* TreeView1() const { return tree_; }
    // The node with the key; nullptr when none.
    QTreeWidgetItem* FindNode(const QString& key) const;
    static QString NodeKeyOf(const QTreeWidgetItem& node);
    // The width in pixels that shows every node's text, expanded or not.
    int FittingWidth() const;

signals:
    void ViewChosen(qint16 view, qint16 filter);
    void CloseRequested();
    // The grip on the right edge was dragged: the width in pixels the user asks for.
    void WidthDragged(int width);

private:
    void buildTree();
    void nodeClicked(QTreeWidgetItem* node);

    QTreeWidget* tree_ = nullptr;
};
