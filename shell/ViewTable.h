#pragma once
#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <vector>

// What each view of the main window shows: its child form, the "Current View" filter items
// offered next to "All", and the toolbar buttons and "&Actions" items shown next to "Nuevo"
// and "Imprimir". Views run from 0 to 12; any higher number is the product information page.
struct ViewDefinition {
    QString formName;
    std::vector<int> filterItems;
    QStringList toolbarButtons;
    QStringList actionItems;  // object names of the "&Actions" items
};

inline constexpr int kViewCount = 13;     // views 0-12 have a "Go To" item
inline constexpr int kFilterCount = 19;   // filters 0-18 have a "Current View" item
inline constexpr int kEntityCount = 10;   // entities 0-9 of NewRecord

const ViewDefinition& ViewDefinitionFor(qint16 view);

// Captions of the "Go To" items (index = view) and of the "Current View" items (index = filter).
QString GoToCaption(int view);
QString FilterCaption(int filter);

// The page each web view opens.
QString StartAddressFor(qint16 view);

// NewRecord's entities (index = entity = view of its list).
struct EntityDefinition {
    QString dialogName;
    QString actionCaption;   // "&Actions" item
    QString dropDownKey;     // entry of the "Nuevo" button's menu
    QString dropDownCaption;
};
const EntityDefinition& EntityDefinitionFor(int entity);
