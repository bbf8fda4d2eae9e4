// The control object's user methods: adding users, changing their details, the GET USER delay.
#include "controlobject.h"

#include "simulator.h"
#include "userdetails.h"

void ControlObject::AddUser(const QString& handle, const QString& fullName, const QString& country,
                            const QString& status) {
    SimUser user;
    user.handle = handle;
    user.fullName = fullName;
    user.country = country;
    if (!status.isEmpty())
        user.status = status.toUpper();
    user.lastOnline = QDateTime::currentSecsSinceEpoch();
    if (handle.contains(QLatin1Char(' ')))
        return fail(QStringLiteral("a handle is one word"));
    check(addSimUser(*simulator_, user));
}

void ControlObject::SetUserProperty(const QString& handle, const QString& property,
                                    const QString& value) {
    check(setUserDetail(*simulator_, handle, property, value));
}

void ControlObject::SetUserReplyDelay(int milliseconds) {
    if (milliseconds < 0)
        return fail(QStringLiteral("the delay is a number of milliseconds, 0 or more"));
    simulator_->setUserReplyDelay(milliseconds);
}
