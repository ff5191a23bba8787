#include "pictures/address_check.h"
#include "tests/pictures/test_servers.h"

#include <QElapsedTimer>
#include <QSignalSpy>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace lw;
using namespace lw::test;

namespace {

using Trouble = PictureAddress::Trouble;

// Each picture at its address on the tests' own HTTPS server, all asked at once, and the same server
// met with a certificate of an authority this computer does not trust.
TEST(PicturesAddressCheck, FindsPicturesAndSaysWhyOthersAreNotThere)
{
    TestServer server(ServerKind::Https);
    ASSERT_TRUE(server.error.isEmpty()) << server.error.toStdString();
    const QByteArray jpeg("\xFF\xD8\xFF\xE0 a picture");
    server.publish(u"images/lamp.jpg"_s, jpeg);
    server.publish(u"images/shade 2.jpg"_s, jpeg);
    server.publish(u"images/base.jpg"_s, jpeg);
    server.publish(u"images/base.jpg.mode"_s, "nohead");
    server.publish(u"images/page.jpg.html"_s, "<html>");
    server.publish(u"images/slow.jpg"_s, jpeg);
    server.publish(u"images/slow.jpg.mode"_s, "silent");
    const QString web = u"https://"_s + server.account.server + u"/images/"_s;
    const std::pair<QString, Trouble> cases[] = {{web + u"lamp.jpg"_s, Trouble::None},
                                                 {web + u"shade 2.jpg"_s, Trouble::None},
                                                 {web + u"base.jpg"_s, Trouble::None},
                                                 {web + u"gone.jpg"_s, Trouble::NotFound},
                                                 {web + u"page.jpg.html"_s, Trouble::NotPicture},
                                                 {web + u"slow.jpg"_s, Trouble::TimedOut},
                                                 {u"http://pics.example/lamp.jpg"_s, Trouble::Refused}};
    QList<PictureAddress> addresses;
    for (const auto& [address, trouble] : cases)
        addresses.append({u"Image "_s + QString::number(addresses.size() + 1), address, {}, {}});

    AddressCheck check;
    check.setLimit(std::chrono::milliseconds(2000));
    QSignalSpy done(&check, &AddressCheck::finished);
    qputenv("LISTWRIGHT_CA_FILE", server.authority.toUtf8());
    QElapsedTimer clock;
    clock.start();
    check.start(addresses);
    ASSERT_TRUE(done.wait(10000));
    EXPECT_LT(clock.elapsed(), 4000) << "all at once, given up at the limit";
    const auto checked = done.first().first().value<QList<PictureAddress>>();
    ASSERT_EQ(checked.size(), addresses.size());
    for (int k = 0; k < checked.size(); ++k)
        EXPECT_EQ(checked[k].trouble, cases[k].second) << checked[k].address.toStdString();
    const QString text = addressTroubleText(checked, check.limit());
    EXPECT_TRUE(
        text.contains(u"Image 4: "_s + web + u"gone.jpg\r\n    not found (the server answered 404)"_s));
    EXPECT_TRUE(text.contains(u"not a picture (the server sends \"text/html\")"_s));
    EXPECT_TRUE(text.contains(u"no answer within 2 seconds"_s));
    EXPECT_TRUE(text.contains(u"begin with https://"_s));
    EXPECT_FALSE(text.contains(u"Image 1:"_s)) << "what is there is not listed";

    qputenv("LISTWRIGHT_CA_FILE", server.stranger.toUtf8());
    check.start({{u"Image 1"_s, web + u"lamp.jpg"_s, {}, {}}});
    ASSERT_TRUE(done.wait(10000));
    qunsetenv("LISTWRIGHT_CA_FILE");
    EXPECT_EQ(done.last().first().value<QList<PictureAddress>>().value(0).trouble, Trouble::Certificate);
    EXPECT_TRUE(addressTroubleText({}, check.limit()).isEmpty());
}

} // namespace
