#pragma once

#include <QList>
#include <QStringList>
#include <QWidget>

#include <memory>
#include <optional>

class QSettings;
namespace Ui {
class PhonePicker;
}

namespace kavu {

class App;

// A named group of phones the user saved to pick again.
struct PhoneGroup {
    QString name;
    QStringList serials;

    bool operator==(const PhoneGroup&) const = default;
};

// The saved groups, in the order saved, read from and written to settings; none without settings.
QList<PhoneGroup> savedGroups(QSettings* settings);
void saveGroups(QSettings* settings, const QList<PhoneGroup>& groups);
// A group's name as typed, trimmed; none when it is empty or longer than kLongestGroupName.
inline constexpr qsizetype kLongestGroupName = 40;
std::optional<QString> groupName(const QString& typed);

// "选择设备": a checklist of the listed phones (adb's, and those in fastboot mode) with model and
// state, ticked as chosen now; "确定" makes the ticked phones the target (one phone ticked is that
// phone chosen). A ticked set can be saved as a named group and picked again; a group's phones
// that are not listed now are shown as such and stay ticked.
class PhonePicker final : public QWidget {
    Q_OBJECT

public:
    explicit PhonePicker(App& app, QWidget* parent = nullptr);
    ~PhonePicker() override;

    // The ticked phones, in the list's order.
    QStringList ticked() const;
    void tick(const QStringList& serials);

private:
    void list();
    void addPhone(const QString& serial, const QString& text);
    void accept();
    void showGroups();
    void useGroup();
    void saveGroup();
    void deleteGroup();

    App& m_app;
    std::unique_ptr<Ui::PhonePicker> m_ui;
};

} // namespace kavu
