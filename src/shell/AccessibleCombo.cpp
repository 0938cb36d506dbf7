// An accessible interface for named combo boxes, put before Qt's own by an
// accessibility factory.
#include "shell/AccessibleCombo.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QComboBox>

namespace {

class NamedCombo : public QAccessibleWidget {
  public:
    explicit NamedCombo(QComboBox* combo) : QAccessibleWidget(combo, QAccessible::ComboBox) {}

    QString text(QAccessible::Text t) const override {
        // Without a name of its own the entry stands as the name, as in Qt.
        if (t == QAccessible::Name && !combo()->accessibleName().isEmpty())
            return combo()->accessibleName();
        if (t == QAccessible::Name || t == QAccessible::Value) return combo()->currentText();
        return QAccessibleWidget::text(t);
    }

    // Opening the list as Qt's own interface offers it.
    QStringList actionNames() const override {
        return QAccessibleWidget::actionNames() << showMenuAction();
    }
    void doAction(const QString& action) override {
        if (action == showMenuAction())
            combo()->showPopup();
        else
            QAccessibleWidget::doAction(action);
    }

  private:
    QComboBox* combo() const { return static_cast<QComboBox*>(widget()); }
};

// Every combo box: its interface may be made before its name is given (an
// item added while a screen reader listens), and it is kept.
QAccessibleInterface* namedComboFactory(const QString&, QObject* object) {
    auto* combo = qobject_cast<QComboBox*>(object);
    return combo ? new NamedCombo(combo) : nullptr;
}

}  // namespace

void installAccessibleComboNames() {
    static const bool installed = [] {
        QAccessible::installFactory(namedComboFactory);
        return true;
    }();
    (void)installed;
}
