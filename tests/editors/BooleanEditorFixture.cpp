#include "editors/EditBoolFixture.h"

#include <QTest>

void EditBoolTest::Type(QWidget& dialog, const QString& strName, const QString& strText) {
    QLineEdit& field = Edit(dialog, strName);
    field.selectAll();
    QTest::keyClick(&field, Qt::Key_Delete);
    QTest::keyClicks(&field, strText);
}
