#include "gui/gather/gather_dialogs.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QEventLoop>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QThread>
#include <QVBoxLayout>
#include <climits>

#include "core/album/album_document.h"
#include "core/platform/services.h"
#include "core/res/strings.h"
#include "gui/widgets/dialog_support.h"
#include "gui/platform/ui_thread_services.h"
#include "gui/widgets/widget_names.h"

namespace lumora {
namespace {

constexpr int kLowestRate = 1;
constexpr int kHighestRate = 99;

QString Text(int id) { return QString::fromStdString(LoadString(id)); }

// The carton of the gather ("RASSEMBLE").
QLabel* GatherPicture(QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setObjectName(widget_name::kGatherPicture);
    label->setPixmap(QPixmap(":/artwork/buttons/rassemble.png"));
    label->setAlignment(Qt::AlignTop);
    return label;
}

std::atomic<int> runningGathers = 0;

}  // namespace

// ---- destination -----------------------------------------------------------

GatherDestinationDialog::GatherDestinationDialog(const QString& directory, QWidget* parent) : QDialog(parent)
{
    setWindowTitle("Rassembler l'album");
    auto* column = new QVBoxLayout(this);
    auto* row = new QHBoxLayout;
    row->addWidget(GatherPicture(this));
    auto* fields = new QGridLayout;
    auto* label = new QLabel("&Répertoire :", this);
    directory_ = new QLineEdit(directory, this);
    directory_->setObjectName(widget_name::kFolderEdit);
    // The file system's own limit, not the 128 characters of old drives.
    directory_->setMaxLength(PATH_MAX - 1);
    directory_->setMinimumWidth(320);
    label->setBuddy(directory_);
    auto* browse = new QPushButton("&Parcourir...", this);
    browse->setObjectName("browse");
    connect(browse, &QPushButton::clicked, this, &GatherDestinationDialog::Browse);
    fields->addWidget(label, 0, 0);
    fields->addWidget(directory_, 1, 0);
    fields->addWidget(browse, 1, 1);
    row->addLayout(fields, 1);
    column->addLayout(row);
    column->addWidget(OkCancelButtons(this));
    PrepareDialog(*this, parent);
}

QString GatherDestinationDialog::Directory() const { return directory_->text(); }

void GatherDestinationDialog::Browse()
{
    const QString chosen = QFileDialog::getExistingDirectory(this, windowTitle(), directory_->text());
    if (!chosen.isEmpty())
        directory_->setText(chosen);
}

// ---- options ---------------------------------------------------------------

GatherOptionsDialog::GatherOptionsDialog(const Preferences& prefs, QWidget* parent) : QDialog(parent)
{
    setWindowTitle("Options de rassemblement");
    auto* column = new QVBoxLayout(this);
    auto* row = new QHBoxLayout;
    row->addWidget(GatherPicture(this));
    auto* options = new QVBoxLayout;
    convert_ = new QCheckBox("Co&nvertir les images au format  JPEG", this);
    convert_->setObjectName(widget_name::kConvertCheck);
    options->addWidget(convert_);

    auto* rate = new QGridLayout;
    rate->setContentsMargins(20, 0, 0, 0);
    auto* rateLabel = new QLabel("&Taux de compression :", this);
    rateLabel->setObjectName(widget_name::kRateLabel);
    compressionEdit_ = new QLineEdit(QString::number(prefs.compression), this);
    compressionEdit_->setObjectName(widget_name::kCompressionEdit);
    compressionEdit_->setMaximumWidth(50);
    rateLabel->setBuddy(compressionEdit_);
    auto* percent = new QLabel("%", this);
    percent->setObjectName(widget_name::kPercentLabel);
    auto* best = new QLabel("1 : qualité maximale", this);
    best->setObjectName(widget_name::kBestLabel);
    auto* smallest = new QLabel("99 : fichiers les plus petits", this);
    smallest->setObjectName(widget_name::kSmallestLabel);
    rate->addWidget(rateLabel, 0, 0);
    rate->addWidget(compressionEdit_, 0, 1);
    rate->addWidget(percent, 0, 2);
    rate->addWidget(best, 1, 0, 1, 3);
    rate->addWidget(smallest, 2, 0, 1, 3);
    options->addLayout(rate);
    compressionControls_ = {compressionEdit_, rateLabel, percent, best, smallest};

    sounds_ = new QCheckBox("C&opier les sons associés", this);
    sounds_->setObjectName(widget_name::kSoundsCheck);
    options->addWidget(sounds_);
    viewer_ = new QCheckBox("&Copier le programme Lumora Runtime", this);
    viewer_->setObjectName(widget_name::kViewerCheck);
    viewer_->setToolTip("Une visionneuse web (index.html) qui ouvre l'album dans tout navigateur.");
    options->addWidget(viewer_);
    webSizes_ = new QCheckBox("Photos aux &tailles des écrans", this);
    webSizes_->setObjectName(widget_name::kWebSizesCheck);
    webSizes_->setToolTip("Chaque photo en JPEG de 1280 et 2560 pixels, pour les téléphones et les écrans.");
    auto* webSizesRow = new QHBoxLayout;
    webSizesRow->setContentsMargins(20, 0, 0, 0);
    webSizesRow->addWidget(webSizes_);
    options->addLayout(webSizesRow);
    row->addLayout(options, 1);
    column->addLayout(row);
    column->addWidget(OkCancelButtons(this));

    convert_->setChecked(prefs.convertJpeg);
    sounds_->setChecked(prefs.copySounds);
    viewer_->setChecked(prefs.copyRuntime);
    webSizes_->setChecked(prefs.webSizes);
    compression_ = prefs.compression;
    EnableCompression(prefs.convertJpeg);
    connect(convert_, &QCheckBox::clicked, this, [this] { EnableCompression(convert_->isChecked()); });
    webSizes_->setEnabled(viewer_->isChecked());
    connect(viewer_, &QCheckBox::toggled, webSizes_, &QWidget::setEnabled);
    PrepareDialog(*this, parent);
}

void GatherOptionsDialog::EnableCompression(bool on)
{
    for (QWidget* control : compressionControls_)
        control->setEnabled(on);
}

void GatherOptionsDialog::accept()
{
    bool isNumber = false;
    const long long value = compressionEdit_->text().trimmed().toLongLong(&isNumber);
    QString refusal;
    if (!isNumber)
        refusal = Text(kStrEnterInteger);
    else if (value < kLowestRate || value > kHighestRate)
        refusal = Text(kStrEnterIntegerInRange).arg(kLowestRate).arg(kHighestRate);
    if (!refusal.isEmpty()) {
        QMessageBox::warning(this, QStringLiteral("Lumora"), refusal);
        compressionEdit_->setFocus();
        compressionEdit_->selectAll();
        return;
    }
    compression_ = static_cast<int>(value);
    QDialog::accept();
}

void GatherOptionsDialog::Apply(Preferences& prefs) const
{
    prefs.convertJpeg = convert_->isChecked();
    prefs.copySounds = sounds_->isChecked();
    prefs.copyRuntime = viewer_->isChecked();
    prefs.webSizes = webSizes_->isChecked();
    prefs.compression = compression_;
}

// ---- progress ----------------------------------------------------------------

// What the worker thread uses; it outlives the dialog when the dialog closes
// on "Interrompre" before the file in progress is dropped.
struct GatherProgressDialog::Shared {
    std::shared_ptr<const AlbumDocument> album;
    std::string destination;
    GatherOptions options;
    SpreadRenderer* renderer = nullptr;
    std::atomic<bool> cancelled = false;
    GatherResult result;
};

GatherProgressDialog::GatherProgressDialog(std::shared_ptr<const AlbumDocument> album, std::string destination,
                                           GatherOptions options, SpreadRenderer* renderer, QWidget* parent)
    : QDialog(parent), shared_(std::make_shared<Shared>())
{
    shared_->album = std::move(album);
    shared_->destination = std::move(destination);
    shared_->options = options;
    shared_->renderer = renderer;

    setWindowTitle("Rassemblement en cours...");
    auto* column = new QVBoxLayout(this);
    auto* summary = new QLabel(QString::fromStdString(GatherOptionsSummary(shared_->destination, options)), this);
    summary->setObjectName(widget_name::kSummaryLabel);
    summary->setTextFormat(Qt::PlainText);
    column->addWidget(summary);
    operation_ = new QLabel(this);
    operation_->setObjectName(widget_name::kOperationLabel);
    operation_->setTextFormat(Qt::PlainText);
    operation_->setMinimumWidth(360);
    column->addWidget(operation_);
    interrupt_ = new QPushButton("Interrompre", this);
    interrupt_->setObjectName(widget_name::kCancelButton);
    connect(interrupt_, &QPushButton::clicked, this, &GatherProgressDialog::reject);
    column->addWidget(interrupt_, 0, Qt::AlignHCenter);
    PrepareDialog(*this, parent);
}

GatherProgressDialog::~GatherProgressDialog()
{
    if (worker_) {
        shared_->cancelled = true;
        worker_->wait();
        delete worker_;
    }
}

bool GatherProgressDialog::IsRunning() { return runningGathers > 0; }

void GatherProgressDialog::reject()
{
    // Seen by the worker between chunks and rows; the dialog answers now.
    shared_->cancelled = true;
    QDialog::done(kInterrupted);
}

int GatherProgressDialog::Run()
{
    ++runningGathers;
    UiThreadServices relays;  // questions from the worker come to this thread
    const std::shared_ptr<Shared> shared = shared_;
    QPointer<QLabel> operation = operation_;
    GatherHooks hooks;
    hooks.operation = [operation](const std::string& text) {
        QMetaObject::invokeMethod(
            QCoreApplication::instance(),
            [operation, text] {
                if (operation)
                    operation->setText(QString::fromStdString(text));
            },
            Qt::QueuedConnection);
    };
    hooks.cancelled = [shared] { return shared->cancelled.load(); };
    hooks.renderer = shared->renderer;
    const std::string albumPath = shared->album->Path();
    worker_ = QThread::create([shared, hooks, albumPath] {
        shared->result = RunGather(*shared->album, albumPath, shared->destination, shared->options, hooks);
    });
    connect(worker_, &QThread::finished, this, [this] {
        if (!isVisible())
            return;
        const GatherOutcome outcome = shared_->result.outcome;
        done(outcome == GatherOutcome::Done ? kDone : outcome == GatherOutcome::Aborted ? kAborted : kInterrupted);
    });
    worker_->start();
    int code = exec();
    // However the dialog went — "Interrompre", its close box, the program
    // quitting its event loops — a gather still running is stopped: the
    // file in progress is dropped with its temporary.
    if (worker_->isRunning())
        shared_->cancelled = true;
    // Events keep flowing while it stops (a question of the worker waits
    // for this thread); a plain loop, as a quitting program refuses to
    // start new event loops.
    while (!worker_->wait(10))
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    outcome_ = shared_->result;
    if (code == kDone && outcome_.outcome != GatherOutcome::Done)
        code = outcome_.outcome == GatherOutcome::Aborted ? kAborted : kInterrupted;
    // The worker's last status and gauge changes first, then a clear bar.
    QCoreApplication::sendPostedEvents(QCoreApplication::instance(), QEvent::MetaCall);
    CurrentStatusDisplay().SetStatusText({});
    --runningGathers;
    return code;
}

}  // namespace lumora
