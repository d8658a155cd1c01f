#pragma once

#include "core/common/messenger.h"

#include <QPointer>
#include <QWidget>

// Message boxes titled with the program's name, over the given window when there is one.
class QtMessenger : public Messenger
{
public:
    explicit QtMessenger(QWidget *parent = nullptr) : m_parent(parent) {}
    void setParent(QWidget *parent) { m_parent = parent; }
    void inform(const std::string &text) override;
    bool ask(const std::string &text) override;

private:
    QPointer<QWidget> m_parent;
};
