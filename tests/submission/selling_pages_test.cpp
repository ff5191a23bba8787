#include "submission/page_scripts.h"
#include "submission/selling_pages.h"

#include <QJSEngine>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace lw {
namespace {

using P = SellingPage;

TEST(SellingPages, RecognisesEachPageByItsLocationName)
{
    const QString specifics = u"<p>Any Item Specifics left blank will be displayed as ...</p>"_s;
    const struct
    {
        QString name;
        QString html;
        SellingPage page;
    } cases[] = {
        {u"submit"_s, {}, P::Welcome},
        {u"submit.htm"_s, {}, P::Welcome},
        {u"Sell Your Item - Sign In"_s, {}, P::SignIn},
        {u"Sell Your Item: Choose a Selling Format"_s, {}, P::SellingFormat},
        {u"Sell Your Item step 1 of 5: Category"_s, {}, P::Category},
        {u"Sell Your Item: Describe Your Item"_s, specifics, P::ItemSpecifics},
        {u"Sell Your Item: Describe Your Item"_s,
         u"<p>any item specifics left blank will be displayed as</p>"_s, P::Description},
        {u"Sell Your Item: Enter Pictures & Item Details"_s, {}, P::Pictures},
        {u"Sell Your Item: Enter Payment & Shipping"_s, {}, P::PaymentShipping},
        {u"Sell Your Item: Confirmation"_s, {}, P::Confirmation},
        {u"sell your item: confirmation"_s, {}, P::Other},
        {u"Sell Your Item - Sign In "_s, {}, P::Other},
        {QString(), {}, P::Other},
    };
    for (const auto& c : cases)
        EXPECT_EQ(recognisePage(c.name, c.html), c.page) << c.name.toStdString();
    EXPECT_TRUE(needsRootHtml(u"Sell Your Item: Describe Your Item"_s));
    EXPECT_FALSE(needsRootHtml(u"Sell Your Item - Sign In"_s));
}

FormElement e(const char16_t* name, const char16_t* type, const char16_t* value)
{
    return {QString::fromUtf16(name), QString::fromUtf16(type), QString::fromUtf16(value), false};
}

TEST(SellingPages, SearchesForTheSignInButtonAndTheGalleryOption)
{
    const auto text = e(u"q", u"text", u"");
    const auto submit = e(u"go", u"submit", u"Enter");
    const auto signIn = e(u"b", u"button", u"Sign In >");
    const struct
    {
        QList<FormElements> forms;
        std::optional<ElementPosition> signInButton;
    } signIns[] = {
        {{{text, submit}, {text, text, submit}}, ElementPosition{1, 2}}, // a submit button of form 1 only
        {{{text, signIn}, {text, submit}}, ElementPosition{0, 1}}, // "Sign In >" in an earlier form wins
        {{{text}, {text}, {signIn}}, ElementPosition{2, 0}},
        {{{submit}, {text}}, std::nullopt}, // nothing to click
        {{}, std::nullopt},
    };
    for (const auto& c : signIns)
        EXPECT_EQ(findSignInButton(c.forms), c.signInButton);

    const struct
    {
        QList<FormElements> forms;
        std::optional<ElementPosition> option;
    } galleries[] = {
        {{{e(u"Gallery", u"radio", u"0"), e(u"Gallery", u"radio", u"1")}}, ElementPosition{0, 1}},
        {{{text}, {e(u"GalleryBasic", u"checkbox", u"1")}}, ElementPosition{1, 0}},
        {{{e(u"gallery", u"radio", u"1"), e(u"Gallery", u"radio", u"2")}}, std::nullopt},
    };
    for (const auto& c : galleries)
        EXPECT_EQ(findGalleryOption(c.forms), c.option);
}

TEST(SellingPages, TitleLimitPictureAddressAndHosting)
{
    const QString t55(55, u'x');
    EXPECT_EQ(auctionTitle(t55).text, t55);
    EXPECT_FALSE(auctionTitle(t55).cut);
    EXPECT_EQ(auctionTitle(t55 + u'y').text, t55);
    EXPECT_TRUE(auctionTitle(t55 + u'y').cut);
    // A character outside the basic plane is not split at the limit.
    const QString wide = QString(54, u'x') + QString::fromUcs4(U"\U0001F600");
    EXPECT_EQ(auctionTitle(wide + u'z').text, QString(54, u'x'));

    EXPECT_EQ(sellingPictureAddress(u"my photo 1.jpg"_s, true, u"http://w.example/p/"_s),
              u"http://w.example/p/my%20photo%201.jpg"_s);
    EXPECT_EQ(sellingPictureAddress(u"my photo 1.jpg"_s, false, u"http://w.example/p/"_s),
              u"my%20photo%201.jpg"_s);

    EXPECT_TRUE(usesSiteHosting(u"Please adjust your pictures"_s));
    EXPECT_TRUE(usesSiteHosting(u"then click on the \"Browse...\" buttons below."_s));
    EXPECT_FALSE(usesSiteHosting(u"click on the Browse... buttons below."_s));
}

TEST(SellingPages, SignInFillsThePasswordOnlyOnTheSitesOwnSecurePages)
{
    const std::pair<const char16_t*, SignInPage> cases[] = {
        {u"https://signin.ebay.com/aw-cgi/eBayISAPI.dll?SignIn", SignInPage::Allowed},
        {u"https://SignIn.eBay.co.uk./x", SignInPage::Allowed},
        {u"http://signin.ebay.com/", SignInPage::NotSecure},
        {u"file:///tmp/submit.htm", SignInPage::NotSecure},
        {u"https://signin.ebay.com.evil.example/", SignInPage::OtherHost},
        {u"https://notebay.com/", SignInPage::OtherHost},
    };
    for (const auto& [address, page] : cases)
        EXPECT_EQ(signInPage(QUrl(QString::fromUtf16(address))), page)
            << QString::fromUtf16(address).toStdString();
    EXPECT_EQ(pageOrigin(QUrl(u"https://SignIn.eBay.com:8443/x"_s)), u"https://signin.ebay.com:8443"_s);
    EXPECT_EQ(pageOrigin(QUrl(u"https://signin.ebay.com:443/x"_s)), u"https://signin.ebay.com"_s);
}

TEST(PageScripts, StringLiteralsCarryEveryTextIntactAndNoMarkup)
{
    QJSEngine js;
    const QString texts[] = {
        {},
        u"plain"_s,
        u"\"quoted\" and 'single'"_s,
        u"back\\slash\\"_s,
        u"</script><script>alert(1)</script>"_s,
        u"a & b <c> d"_s,
        u"line\r\nbreak\ttab\u0001\u007f"_s,
        QString::fromUtf16(u"sep\u2028ara\u2029tors \u00e9\u20ac"),
    };
    for (const QString& text : texts) {
        const QString literal = jsString(text);
        for (const char16_t c : {u'<', u'>', u'&', u'\n', u'\r', char16_t(0x2028), char16_t(0x2029)})
            EXPECT_FALSE(literal.contains(QChar(c))) << literal.toStdString();
        const QJSValue value = js.evaluate(literal);
        ASSERT_FALSE(value.isError()) << literal.toStdString();
        EXPECT_EQ(value.toString(), text);
    }
}

// The scripts run against a document model of a few forms in a plain engine.
TEST(PageScripts, ScriptsActOnTheNamedOrCountedElementOnly)
{
    QJSEngine js;
    js.evaluate(uR"(
        function el(name, type, value) { return { name: name, type: type, value: value, checked: false, tagName: 'INPUT',
                                                  clicked: 0, click: function () { this.clicked++; } }; }
        function form(list) { list.namedItem = function (n) { for (var i = 0; i < this.length; ++i)
                                                              if (this[i].name === n) return this[i]; return null; };
                              return { elements: list }; }
        var f0 = form([el('ItemTitle', 'text', ''), el('Gallery', 'radio', '1'), el('ButtonContinue', 'submit', 'Go')]);
        var f1 = form([el('userid', 'text', ''), el('pass', 'password', '')]);
        var location = { origin: 'https://signin.ebay.com' };
        var document = { forms: [f0, f1], documentElement: { innerHTML: '<b>x</b>' },
                         getElementsByName: function (n) { return f0.elements.filter(function (e) { return e.name === n; }); } };
    )"_s);
    auto run = [&js](const QString& script) { return js.evaluate(script).toVariant(); };

    const QString title = u"a \"b\" </script> \\ c"_s;
    EXPECT_TRUE(scriptSucceeded(run(setValueScript(0, u"ItemTitle"_s, title))));
    EXPECT_EQ(js.evaluate(u"f0.elements[0].value"_s).toString(), title);
    EXPECT_FALSE(scriptSucceeded(run(setValueScript(0, u"Missing"_s, u"x"_s))));
    EXPECT_FALSE(scriptSucceeded(run(setValueScript(5, u"ItemTitle"_s, u"x"_s))));
    // A name that tries to end the script is only a name that is not there.
    EXPECT_FALSE(scriptSucceeded(run(setValueScript(0, u"x\")); f0.elements[0].value = ('owned"_s, u"x"_s))));
    EXPECT_EQ(js.evaluate(u"f0.elements[0].value"_s).toString(), title);

    EXPECT_TRUE(scriptSucceeded(run(checkOptionScript(0, 1))));
    EXPECT_TRUE(js.evaluate(u"f0.elements[1].checked"_s).toBool());
    EXPECT_FALSE(scriptSucceeded(run(checkOptionScript(0, 0))));
    EXPECT_TRUE(scriptSucceeded(run(clickElementScript(0, 2))));
    EXPECT_FALSE(scriptSucceeded(run(clickElementScript(0, 3))));
    EXPECT_TRUE(scriptSucceeded(run(clickNamedScript(u"ButtonContinue"_s))));
    EXPECT_EQ(js.evaluate(u"f0.elements[2].clicked"_s).toInt(), 2);
    EXPECT_FALSE(scriptSucceeded(run(clickNamedScript(u"ButtonBack"_s))));

    // The sign-in form is filled only while the page is still the one that was checked.
    EXPECT_FALSE(
        scriptSucceeded(run(signInScript(u"https://signin.ebay.com.evil.example"_s, u"me"_s, u"pw"_s))));
    EXPECT_EQ(js.evaluate(u"f1.elements[0].value + f1.elements[1].value"_s).toString(), QString());
    EXPECT_TRUE(scriptSucceeded(run(signInScript(u"https://signin.ebay.com"_s, u"me"_s, u"pw\"'"_s))));
    EXPECT_EQ(js.evaluate(u"f1.elements[0].value + '|' + f1.elements[1].value"_s).toString(), u"me|pw\"'"_s);

    const auto forms = formsFromResult(run(formsScript()));
    ASSERT_TRUE(forms);
    ASSERT_EQ(forms->size(), 2);
    EXPECT_EQ((*forms)[0][1].name, u"Gallery"_s);
    EXPECT_EQ((*forms)[0][1].type, u"radio"_s);
    EXPECT_TRUE((*forms)[0][1].checked);
    EXPECT_EQ((*forms)[1][0].name, u"userid"_s);
    EXPECT_EQ(textFromResult(run(rootHtmlScript())), u"<b>x</b>"_s);
    EXPECT_FALSE(formsFromResult(QVariant(false)));
    EXPECT_FALSE(textFromResult(QVariant(false)));
}

} // namespace
} // namespace lw
