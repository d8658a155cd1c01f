#pragma once

#include <memory>

class AppContext;
class MainBar;
class PanelHost;

// The windows of one run and how they are wired: the main bar, its panel host and what each
// button makes. Tests build the same program the user gets.
class Program
{
public:
    explicit Program(AppContext &context);
    ~Program();

    MainBar &bar() { return *m_bar; }
    PanelHost &panels() { return *m_panels; }

    void start(bool splash);

private:
    std::unique_ptr<MainBar> m_bar;
    PanelHost *m_panels; // owned by the bar
};
