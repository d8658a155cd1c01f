#include "core/portfolio/holdingform.h"
#include "core/portfolio/profitcalculator.h"
#include "support/recordingmessenger.h"

#include <gtest/gtest.h>

namespace {

struct HoldingFormTest : ::testing::Test
{
    RecordingMessenger messenger;
    HoldingForm form{HoldingEntryRequest{}, messenger};
};

TEST_F(HoldingFormTest, ALotNeedsACompanyFoundOnTheExchangeChosen)
{
    EXPECT_FALSE(form.maySearch("ta"));
    EXPECT_TRUE(form.maySearch("tat"));
    EXPECT_FALSE(form.mayAddLot());
    // Before a search the exchange just changes.
    EXPECT_FALSE(form.chooseExchange(Exchange::Bse));
    EXPECT_EQ(messenger.shown, (std::vector<std::string>{HoldingForm::ShortSearchMessage,
                                                         HoldingForm::NoCompanyMessage}));

    form.companyFound("Tata Steel Limited", "500470");
    ASSERT_TRUE(form.mayAddLot());
    form.addLot({101.5, 10});
    EXPECT_FALSE(form.chooseExchange(Exchange::Bse)) << "the exchange it already has";
    EXPECT_TRUE(form.chooseExchange(Exchange::Nse));
    EXPECT_EQ(messenger.shown.back(), HoldingForm::ExchangeChangedMessage);
    EXPECT_TRUE(form.lots().empty());
    EXPECT_EQ(form.companyName(), "");
    EXPECT_EQ(form.symbol(), "");
    EXPECT_FALSE(form.mayAddLot());
    EXPECT_EQ(messenger.shown.back(), HoldingForm::NoCompanyMessage);
}

TEST_F(HoldingFormTest, LotsAreCappedAndDeletingKeepsThePricesAsShown)
{
    form.companyFound("Infosys Limited", "INFY");
    for (std::size_t k = 0; k < HoldingForm::MaximumLots; ++k)
        form.addLot({10.004 + double(k), long(k + 1)});
    EXPECT_FALSE(form.mayAddLot());
    EXPECT_EQ(messenger.shown.back(), HoldingForm::LotsFullMessage);

    EXPECT_FALSE(form.deleteLot(-1));
    EXPECT_FALSE(form.mayEditLot(int(HoldingForm::MaximumLots)));
    EXPECT_EQ(messenger.shown, (std::vector<std::string>{HoldingForm::LotsFullMessage,
                                                         HoldingForm::NoLotToDeleteMessage,
                                                         HoldingForm::NoLotToEditMessage}));
    ASSERT_TRUE(form.deleteLot(0));
    EXPECT_EQ(form.lots().size(), HoldingForm::MaximumLots - 1);
    EXPECT_EQ(form.lots().front(), (LotValues{11.0, 2}));
    EXPECT_TRUE(form.mayAddLot());
}

TEST_F(HoldingFormTest, OkNeedsALotAndABroker)
{
    HoldingForm edit({"Tata Power Company Limited", "BSE", "500400", 7, true, TradeKind::Intraday},
                     messenger);
    EXPECT_FALSE(edit.accept(7).has_value());
    edit.addLot({250, 4});
    EXPECT_FALSE(edit.accept(std::nullopt).has_value());
    EXPECT_EQ(messenger.shown,
              (std::vector<std::string>{HoldingForm::NoLotsMessage, HoldingForm::NoBrokerMessage}));
    const auto entry = edit.accept(3);
    ASSERT_TRUE(entry.has_value());
    EXPECT_EQ(entry->exchange, "BSE");
    EXPECT_EQ(entry->kind, TradeKind::Intraday);

    EXPECT_FALSE(HoldingForm::lotAcceptable({0, 5}, messenger));
    EXPECT_FALSE(HoldingForm::lotAcceptable({5, 0}, messenger));
    EXPECT_EQ(messenger.count(HoldingForm::ZeroLotMessage), 2);
}

TEST(ProfitCalculatorTest, BothQuestions)
{
    const ProfitCalculator free{TradeRates{}};
    EXPECT_EQ(free.sellingPriceFor(100, 50, 250), "52.50"); // A + G / Q
    EXPECT_EQ(free.profitLossAt(100, 50, 45.5), "-450.00"); // (S - A) x Q
    EXPECT_EQ(free.sellingPriceFor(0, 50, 250), "0.00");

    // Default delivery rates: per share 0.75 + 0.0927 on buying at 100, 0.9 + 0.1112 on
    // selling at 120, and 0.125% transaction tax on each trade.
    const ProfitCalculator standard{ratesOf(newBroker(), TradeKind::Delivery)};
    EXPECT_EQ(standard.sellingPriceFor(100, 100, 1000), "112.05"); // 11096.77 / 99.0323
    EXPECT_EQ(standard.profitLossAt(100, 100, 120), "1,787.11");   // 2000 - 96.77 - 116.12

    // Sell-side rates above 100% leave a negative denominator, so a negative price.
    TradeRates steep;
    steep.sell.brokerage = 100;
    steep.sell.transactionTax = 10;
    EXPECT_EQ(ProfitCalculator(steep).sellingPriceFor(10, 100, 0), "-1,000.00");
}

} // namespace
