#pragma once

class ReturnHomeListener;

// A page's hold on the homing helper, which serves one listener at a time.
// Pages open and close independently (a LAN print may start homing while the
// levelling page is still closing), so a page lets go of the helper only
// while the helper is still serving that page; clearing another page's
// registration would leave that page waiting for ever.
class HomingClaim {
public:
    explicit HomingClaim(ReturnHomeListener *page);
    ~HomingClaim();
    HomingClaim(const HomingClaim &) = delete;
    HomingClaim &operator=(const HomingClaim &) = delete;

    // Registers the page with the helper and starts homing (X and Y only
    // when `xyOnly`).
    void start(bool xyOnly);
    // Lets go of the helper when it still serves this page: a homing under
    // way then stops at its next check. Called from the page's homing
    // callbacks and, through the destructor, when the page closes.
    void release();
    // The helper serves this page (homing runs or has not called back yet).
    bool holding() const;
    // Some page's homing is under way. A page that closes after letting go
    // of its own claim then leaves the machine to that page: its stop would
    // cut the homing move short.
    static bool homingUnderWay();

private:
    ReturnHomeListener *m_page;
};
