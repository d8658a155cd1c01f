#include "fixedsymbols.h"

namespace {
using K = InstrumentKind;

// Levels are each index's usual magnitude; the depositary receipts are in dollars.
constexpr FixedSymbol Table[] = {
    // The main bar.
    {"^NSEI", "NIFTY", K::Index, 24000, 0.009, 1.0},
    {"^BSESN", "SENSEX", K::Index, 80000, 0.009, 0.98},
    {"USDINR=X", "USD/INR", K::Currency, 84, 0.003, 0.0},
    // NSE indices.
    {"^NSED", "S&P CNX DEFTY", K::Index, 8900, 0.010, 0.9},
    {"^NSMIDCP", "CNX NIFTY", K::Index, 68000, 0.011, 0.85},
    {"^CRSLDX", "S&P CNX 500", K::Index, 22000, 0.010, 0.95},
    {"^CRSMID", "CNX MIDCAP 200", K::Index, 13500, 0.012, 0.8},
    {"^NSEBANK", "BANK NIFTY", K::Index, 52000, 0.012, 0.85},
    {"^CNXIT", "CNX IT", K::Index, 42000, 0.013, 0.6},
    // BSE indices.
    {"BSE-AUTO.BO", "AUTO INDEX", K::Index, 55000, 0.012, 0.75},
    {"BSE-BANK.BO", "BANKEX", K::Index, 60000, 0.012, 0.85},
    {"BSE-100.BO", "BSE - 100", K::Index, 25500, 0.009, 0.97},
    {"BSE-200.BO", "BSE - 200", K::Index, 11000, 0.010, 0.96},
    {"BSE-500.BO", "BSE - 500", K::Index, 35500, 0.010, 0.95},
    {"BSE-CG.BO", "BSE - Capital Goods", K::Index, 70000, 0.013, 0.7},
    {"BSE-CD.BO", "BSE - Cons.Durables", K::Index, 60000, 0.012, 0.65},
    {"BSE-FMCG.BO", "BSE - FMCG", K::Index, 21000, 0.008, 0.55},
    {"BSE-HC.BO", "BSE - HEALTHCARE", K::Index, 43000, 0.010, 0.5},
    {"BSE-IT.BO", "BSE - INFOTECH", K::Index, 41000, 0.013, 0.6},
    {"BSE-MIDCAP.BO", "BSE Mid-Cap", K::Index, 46000, 0.012, 0.8},
    {"BSE-PSU.BO", "BSE Public Sector", K::Index, 19500, 0.013, 0.75},
    {"BSE-SMLCAP.BO", "BSE Small-Cap", K::Index, 54000, 0.013, 0.75},
    {"BSE-TECK.BO", "BSE TECH INDEX", K::Index, 18500, 0.012, 0.6},
    {"BSE-METAL.BO", "METAL INDEX", K::Index, 30000, 0.016, 0.65},
    {"BSE-OILGAS.BO", "OIL & GAS INDEX", K::Index, 27000, 0.013, 0.7},
    // World indices.
    {"^DJI", "Dow (DJIA)", K::Index, 44000, 0.009, 0.2},
    {"^IXIC", "Nasdaq", K::Index, 19000, 0.013, 0.2},
    {"^GSPC", "S & P 500", K::Index, 6000, 0.010, 0.2},
    {"^FTSE", "FTSE 100", K::Index, 8300, 0.009, 0.2},
    {"^GDAXI", "DAX", K::Index, 20000, 0.011, 0.2},
    {"^FCHI", "CAC 40", K::Index, 7500, 0.011, 0.2},
    {"^MIBTEL", "MIBTel", K::Index, 34000, 0.012, 0.2},
    {"^SSMI", "Swiss Market", K::Index, 12000, 0.009, 0.2},
    {"^N225", "Nikkei", K::Index, 39000, 0.013, 0.3},
    {"^HSI", "Hang Seng", K::Index, 20000, 0.015, 0.3},
    {"^SSEC", "Shanghai", K::Index, 3300, 0.013, 0.2},
    {"^STI", "Straits Times", K::Index, 3700, 0.008, 0.3},
    {"^TWII", "Taiwan", K::Index, 22000, 0.012, 0.3},
    {"^JKSE", "Jakarta Composite", K::Index, 7100, 0.010, 0.3},
    {"^KS11", "Kospi", K::Index, 2600, 0.012, 0.3},
    // Depositary receipts of Indian companies.
    {"INFY", "Infosys Technology Ltd", K::Adr, 21, 0.018, 0.5},
    {"HDB", "HDFC Bank Ltd.", K::Adr, 62, 0.015, 0.6},
    {"IBN", "ICICI Bank Ltd.", K::Adr, 30, 0.017, 0.6},
    {"MTE", "MTNL", K::Adr, 3.5, 0.030, 0.4},
    {"PTI", "Patni Computers Sys", K::Adr, 11, 0.022, 0.4},
    {"RDY", "Dr Reddys Labs", K::Adr, 14, 0.016, 0.4},
    {"SAY", "Satyam Computers", K::Adr, 8, 0.025, 0.4},
    {"SLT", "Sterlite Industries", K::Adr, 12, 0.024, 0.5},
    {"TTM", "Tata Motors Ltd.", K::Adr, 25, 0.020, 0.5},
    {"SIFY", "Sify", K::Adr, 5, 0.030, 0.3},
    {"WIT", "Wipro Ltd.", K::Adr, 3.4, 0.018, 0.5},
};
} // namespace

std::span<const FixedSymbol> fixedSymbols()
{
    return Table;
}
