#pragma once

#include <QAbstractTableModel>
#include <QWidget>

#include <memory>

class QTimer;
namespace Ui {
class BatchWindow;
}

namespace kavu {

class App;
class BatchRunner;
struct Batch;

// The rows of the batch a window shows, one per phone: serial, model, state, line, result and last
// output line, read from the runner when the window refreshes.
class BatchRowsModel final : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Column { Serial, Model, State, Line, Result, LastOutput, ColumnCount };

    explicit BatchRowsModel(const BatchRunner& runner, QObject* parent = nullptr);

    // The batch shown; none shows nothing.
    void show(int batchId);
    int batchId() const { return m_batchId; }
    const Batch* batch() const;
    // Takes in what changed in the runner since the last refresh.
    void refresh();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    const BatchRunner& m_runner;
    int m_batchId = 0;
    int m_rows = 0;
};

// "批量运行": the runs of the last click made for several phones, a row per phone, with the whole
// output of the row picked, "重试失败的设备", "停止" and "导出" (CSV), how many may run at once and
// whether each phone opens a console. The title counts the results. What the runner reports is
// taken in at most 30 times a second.
class BatchWindow final : public QWidget {
    Q_OBJECT

public:
    static constexpr int kRefreshMs = 33;

    explicit BatchWindow(App& app, QWidget* parent = nullptr);
    ~BatchWindow() override;

    // How often the window took in the runner's changes.
    int refreshes() const { return m_refreshes; }
    // Writes the rows shown as CSV; false, after a message, when the file cannot be written.
    bool exportTo(const QString& path);

private:
    void showBatch(int batchId);
    void changed();
    void refresh();
    void showOutput();
    void chooseExportFile();

    App& m_app;
    BatchRunner& m_runner;
    std::unique_ptr<Ui::BatchWindow> m_ui;
    BatchRowsModel* m_rows;
    QTimer* m_refresh;
    int m_refreshes = 0;
    // The output shown, as long as it was: shown again only when it grew.
    qsizetype m_outputShown = -1;
};

} // namespace kavu
