#pragma once
// The one way for a test or a tool to reach a control it did not make: by its
// objectName, below the window or panel that holds it. Exactly one must
// answer to the name; none, several or one of another type is a mistake in
// the test and ends it with the reason.
#include <QList>
#include <QString>
#include <QWidget>

#include <memory>

namespace kioku {

// Says why `name` named no single control under `root` and ends the program.
[[noreturn]] void noSuchControl(const QWidget *root, const QString &name, qsizetype found);

template <typename T = QWidget> T *control(const QWidget *root, const QString &name)
{
    const QList<T *> found = root->findChildren<T *>(name);
    if (found.size() != 1)
        noSuchControl(root, name, found.size());
    return found.first();
}

template <typename T = QWidget, typename W> T *control(const std::unique_ptr<W> &root, const QString &name)
{
    return control<T>(root.get(), name);
}

} // namespace kioku
