#pragma once

#include <QString>

class CompanyDatabase;
class Program;
class ToppersPanel;

namespace soakviews {
inline constexpr int WatchedNse = 40;
inline constexpr int WatchedBse = 10;

// A full watch list (forty NSE and ten BSE stocks spread over the company list) and a
// portfolio of delivery and intraday lots through one broker with real charges.
bool seed(CompanyDatabase &database, QString &error);
// The watch list with Intraday and LiveData on, the indices, world, portfolio and toppers
// panels made (they ride on every refresh from then on, shown or hidden), and a ticker bar
// of its own beside the main bar, which stays up. False when a window never came on screen.
bool open(Program &program);
// Shows the next docked panel in turn, as a user moving between them would.
void showNextPanel(Program &program, int turn);
ToppersPanel *toppers(Program &program);
} // namespace soakviews
