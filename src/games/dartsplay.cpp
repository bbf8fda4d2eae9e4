// The game: the four-click throw, the first-dart decision, turns of three darts, the end.
#include "dartsgame.h"

#include "base/debugconsole.h"
#include "base/loglib.h"
#include "base/services.h"
#include "games/dartslink.h"
#include "platform/prompts.h"

void DartsGame::pressThrow() {
    DartsView& v = m_view;
    switch (m_stage) {
    case Stage::Ready:
        m_stage = Stage::AimAcross;
        v.vLine.start(DartsBoard::kLeft);
        v.vLineShown = true;
        v.hLineShown = v.metersShown = false;
        break;
    case Stage::AimAcross:
        m_stage = Stage::AimDown;
        v.hLine.start(DartsBoard::kTop);
        v.hLineShown = true;
        break;
    case Stage::AimDown:
        m_stage = Stage::Release;
        v.power.start(0);
        v.control.start(DartsBoard::controlStart(m_random()));
        v.metersShown = true;
        break;
    case Stage::Release:
        release();
        return;
    }
    m_timer1.start(30);
}

void DartsGame::Timer1_Timer() {
    // Ticks are not queued behind a box: a late tick would only move a line nobody sees.
    if (m_busy)
        return;
    DartsView& v = m_view;
    switch (m_stage) {
    case Stage::AimAcross:
        v.vLine.tick();
        break;
    case Stage::AimDown:
        v.hLine.tick();
        break;
    case Stage::Release:
        v.power.tick();
        v.control.tick();
        break;
    case Stage::Ready:
        return;
    }
    emit changed();
}

void DartsGame::release() {
    DartsView& v = m_view;
    m_stage = Stage::Ready;
    v.command1Enabled = false;
    m_timer1.stop();
    const QPointF landing =
        DartsBoard::landingPoint(v.vLine.value, v.hLine.value, v.power.value, v.control.value);
    v.vLineShown = v.hLineShown = v.metersShown = false;
    if (m_state == State::DecideFirst) {
        v.localFirst = {SendThrow(landing), true, false};
        m_timer3.start();
    } else if (m_state == State::InLocalGame) {
        AddPoint(SendThrow(landing), true);
        if (m_localCount < 3) {
            v.command1Enabled = true;
        } else if (m_remoteCount == 0) {
            // The partner has not had a turn yet: nothing to compare.
            m_state = State::InRemoteGame;
            v.announce = text(63);
        } else if (m_remoteCount == 3) {
            FinishTurnPair(true);
        }
    }
}

void DartsGame::partnerFirstDart(QPoint point) {
    // A second dart while deciding is the partner's first turn dart: the partner decided
    // sooner. It is played when the partner's turn starts here.
    if (m_view.remoteFirst.shown) {
        if (m_heldDarts.size() < 3)
            m_heldDarts.push_back(point);
        return;
    }
    m_view.remoteFirst = {point, true, false};
    m_timer3.start();
}

void DartsGame::partnerDart(QPoint point) {
    AddPoint(point, false);
    if (m_remoteCount != 3)
        return;
    if (m_localCount == 0)
        StartLocalTurn();
    else if (m_localCount == 3)
        FinishTurnPair(false);
}

void DartsGame::Timer3_Timer() {
    guarded([this] {
        m_timer3.stop();
        DecideFirstThrower();
    });
}

void DartsGame::DecideFirstThrower() {
    DartsView& v = m_view;
    if (m_state != State::DecideFirst || !v.localFirst.shown || !v.remoteFirst.shown)
        return;
    v.announce = text(64);
    m_stage = Stage::Ready;
    const double local = DartsBoard::DartDistance(v.localFirst.point);
    const double remote = DartsBoard::DartDistance(v.remoteFirst.point);
    // On an exact tie the inviter begins; both copies know who invited.
    if (local < remote || (local == remote && m_weInvited)) {
        m_localBegan = true;
        StartLocalTurn();
        ++m_turnCount;
    } else {
        m_localBegan = false;
        StartRemoteTurn();
        m_turnCount = 0;
    }
    v.localFirst.shown = v.remoteFirst.shown = false;
    while (!m_heldDarts.empty() && m_state == State::InRemoteGame) {
        const QPoint dart = m_heldDarts.front();
        m_heldDarts.pop_front();
        partnerDart(dart);
    }
    m_heldDarts.clear();
}

void DartsGame::hideTurnMarkers() {
    for (DartsMarker& marker : m_view.localDarts)
        marker.shown = false;
    for (DartsMarker& marker : m_view.remoteDarts)
        marker.shown = false;
}

void DartsGame::StartLocalTurn() {
    DartsView& v = m_view;
    v.announce = text(62);
    v.arrowShown = {true, true, true};
    m_localCount = 0;
    v.localScore = 0;
    hideTurnMarkers();
    m_state = State::InLocalGame;
    m_stage = Stage::Ready;
    v.command1Enabled = true;
    v.command2Enabled = v.command3Enabled = false;
    pressThrow();
}

void DartsGame::StartRemoteTurn() {
    DartsView& v = m_view;
    v.announce = text(63);
    m_remoteCount = 0;
    v.remoteScore = 0;
    v.arrowShown = {};
    hideTurnMarkers();
    m_stage = Stage::Ready;
    v.command1Enabled = false;
    v.command2Enabled = v.command3Enabled = false;
    m_state = State::InRemoteGame;
}

void DartsGame::AddPoint(QPoint point, bool local) {
    int& count = local ? m_localCount : m_remoteCount;
    if (!local)
        trace(QStringLiteral("AddPoint:remote RemoteThrowCount=%1] (%2,%3)")
                  .arg(count)
                  .arg(point.x())
                  .arg(point.y()));
    if (count >= 3)
        return;
    auto& markers = local ? m_view.localDarts : m_view.remoteDarts;
    DartsMarker& marker = markers[static_cast<std::size_t>(count)];
    marker = {point, false, false};
    if (local)
        m_view.arrowShown[static_cast<std::size_t>(count)] = false;
    for (int i = 0; i < count; ++i) {
        if (DartsBoard::touches(markers[static_cast<std::size_t>(i)].point, point)) {
            marker.black = true;
            marker.shown = true;
            if (local)
                box(76, 75);
            break;
        }
    }
    marker.shown = true;
    const DartsBoard::PointScore scored =
        DartsBoard::ScoreOfPoint(float(point.x()), float(point.y()));
    if (local) {
        emit changed();
        emit repaintNow();
        const QString said =
            scored.score > 0 ? scored.area + u'(' + QString::number(scored.score) + u')' : text(77);
        m_services.prompts.message(said, text(75));
    }
    (local ? m_view.localScore : m_view.remoteScore) += scored.score;
    ++count;
    if (local && count == 3)
        m_view.command1Enabled = false;
}

void DartsGame::FinishTurnPair(bool localLast) {
    const int l = m_view.localScore;
    const int r = m_view.remoteScore;
    const bool goesOn = localLast ? l > r : r > l;
    if (goesOn) {
        m_timer1.stop();
        m_timer2.stop();
        if (localLast) {
            StartRemoteTurn();
        } else {
            StartLocalTurn();
            ++m_turnCount;
        }
        return;
    }
    const bool won = !localLast;
    // The record is taken now, before a box lets anything else happen.
    const GameRecord record{
        m_sessionId, m_inviter, m_gameStamp, m_partner,
        m_turnCount, l,         r,           won ? QStringLiteral("WIN") : QStringLiteral("LOSE")};
    emit changed();
    m_services.prompts.message(text(won ? 78 : 79), text(69));
    SendBye();
    QString error;
    if (!RecordLib::appendGameRecord(historyPath(), record, &error)) {
        const QString line = QStringLiteral("Error: darts history not written [") + error + u']';
        m_services.console.ConsolePrint(line);
        m_services.log.WriteLog(line, -1);
    }
    resetNow();
}
