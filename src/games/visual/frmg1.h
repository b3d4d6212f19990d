#pragma once
// Placeholder until the number-memory window lands; the real header replaces this one.
#include <QWidget>
#include "widgets/appcontext.h"

class frmG1 : public QWidget {
public:
    explicit frmG1(kioku::AppContext &ctx, QWidget *parent = nullptr) : QWidget(parent), m_ctx(ctx) {}
private:
    kioku::AppContext &m_ctx;
};
