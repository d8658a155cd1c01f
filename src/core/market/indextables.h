#pragma once

#include <array>
#include <string_view>

// Fixed (name, symbol) tables of the indices and world panels; table order is request order
// and list order. The symbols are complete quote symbols and get no exchange suffix.
struct NamedSymbol
{
    std::string_view name;
    std::string_view symbol;
};

namespace indextables {

inline constexpr std::array<NamedSymbol, 6> Nse = {{
    {"S&P CNX DEFTY", "^NSED"},
    {"CNX NIFTY", "^NSMIDCP"},
    {"S&P CNX 500", "^CRSLDX"},
    {"CNX MIDCAP 200", "^CRSMID"},
    {"BANK NIFTY", "^NSEBANK"},
    {"CNX IT", "^CNXIT"},
}};

inline constexpr std::array<NamedSymbol, 16> Bse = {{
    {"AUTO INDEX", "BSE-AUTO.BO"},
    {"BANKEX", "BSE-BANK.BO"},
    {"BSE - 100", "BSE-100.BO"},
    {"BSE - 200", "BSE-200.BO"},
    {"BSE - 500", "BSE-500.BO"},
    {"BSE - Capital Goods", "BSE-CG.BO"},
    {"BSE - Cons.Durables", "BSE-CD.BO"},
    {"BSE - FMCG", "BSE-FMCG.BO"},
    {"BSE - HEALTHCARE", "BSE-HC.BO"},
    {"BSE - INFOTECH", "BSE-IT.BO"},
    {"BSE Mid-Cap", "BSE-MIDCAP.BO"},
    {"BSE Public Sector", "BSE-PSU.BO"},
    {"BSE Small-Cap", "BSE-SMLCAP.BO"},
    {"BSE TECH INDEX", "BSE-TECK.BO"},
    {"METAL INDEX", "BSE-METAL.BO"},
    {"OIL & GAS INDEX", "BSE-OILGAS.BO"},
}};

inline constexpr std::array<NamedSymbol, 15> World = {{
    {"Dow (DJIA)", "^DJI"},
    {"Nasdaq", "^IXIC"},
    {"S & P 500", "^GSPC"},
    {"FTSE 100", "^FTSE "}, // the trailing blank has always been sent
    {"DAX", "^GDAXI"},
    {"CAC 40", "^FCHI"},
    {"MIBTel", "^MIBTEL"},
    {"Swiss Market", "^SSMI"},
    {"Nikkei", "^N225"},
    {"Hang Seng", "^HSI"},
    {"Shanghai", "^SSEC"},
    {"Straits Times", "^STI"},
    {"Taiwan", "^TWII"},
    {"Jakarta Composite", "^JKSE"},
    {"Kospi", "^KS11"},
}};

inline constexpr std::array<NamedSymbol, 11> Adr = {{
    {"Infosys Technology Ltd", "INFY"},
    {"HDFC Bank Ltd.", "HDB"},
    {"ICICI Bank Ltd.", "IBN"},
    {"MTNL", "MTE"},
    {"Patni Computers Sys", "PTI"},
    {"Dr Reddys Labs", "RDY"},
    {"Satyam Computers", "SAY"},
    {"Sterlite Industries", "SLT"},
    {"Tata Motors Ltd.", "TTM"},
    {"Sify", "SIFY"},
    {"Wipro Ltd.", "WIT"},
}};

} // namespace indextables
