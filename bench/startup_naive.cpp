// A naive Qt window of the main window's size showing the same readings: the journal read whole
// with QFile, a list and two push buttons in the toolkit's own style and font. Timed as the
// program is, it is what the toolkit alone costs a program that shows what ours shows.
#include <QApplication>
#include <QFile>
#include <QListWidget>
#include <QPushButton>

#include "firstframe.h"

int main(int argc, char** argv) {
    if (argc < 2)
        return 2;
    QApplication app(argc, argv);
    zoltrek::bench::FirstFrame frame(app);
    QWidget window;
    window.resize(229, 201);
    auto* list = new QListWidget(&window);
    list->setGeometry(4, 8, 65, 171);
    QFile journal(QString::fromLocal8Bit(argv[1]));
    if (journal.open(QIODevice::ReadOnly))
        for (const QByteArray& line : journal.readAll().split('\n'))
            if (const QList<QByteArray> fields = line.split('|'); fields.size() == 5)
                list->addItem(QString::fromLatin1(fields[1]));
    list->sortItems();
    (new QPushButton(QStringLiteral("Новая заправка"), &window))->setGeometry(76, 8, 145, 25);
    (new QPushButton(QStringLiteral("Статистика"), &window))->setGeometry(76, 36, 145, 25);
    window.show();
    return app.exec();
}
