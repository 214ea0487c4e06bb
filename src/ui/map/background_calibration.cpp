#include "ui/map/background_calibration.h"

#include "data/text_codec.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

#include <cmath>

namespace korvland {

// The picture at its own size, the anchors set so far drawn on it as numbered crosses.
class AnchorPictureView : public QWidget {
  public:
    AnchorPictureView(const QImage& picture, BackgroundCalibrationDialog& dialog)
        : mPicture(picture), mDialog(dialog) {
        setObjectName(QLatin1String(calibration_names::kPicture));
        setFixedSize(picture.size());
        setCursor(Qt::CrossCursor);
    }
    void setAnchors(std::vector<QPointF> pixels) {
        mPixels = std::move(pixels);
        update();
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.drawImage(QPointF(0, 0), mPicture);
        painter.setRenderHint(QPainter::Antialiasing);
        for (std::size_t k = 0; k < mPixels.size(); ++k) {
            const QPointF p = mPixels[k] + QPointF(0.5, 0.5);
            for (const auto& [colour, width] :
                 {std::pair{QColor(Qt::black), 4.0}, std::pair{QColor(Qt::yellow), 2.0}}) {
                painter.setPen(QPen(colour, width));
                painter.drawLine(p - QPointF(8, 0), p + QPointF(8, 0));
                painter.drawLine(p - QPointF(0, 8), p + QPointF(0, 8));
            }
            painter.drawText(p + QPointF(6, -6), QString::number(k + 1));
        }
    }
    void mousePressEvent(QMouseEvent* event) override {
        if (event->button() == Qt::LeftButton)
            mDialog.pictureClicked(
                QPointF(std::floor(event->position().x()), std::floor(event->position().y())));
    }

  private:
    QImage mPicture;
    BackgroundCalibrationDialog& mDialog;
    std::vector<QPointF> mPixels;
};

BackgroundCalibrationDialog::BackgroundCalibrationDialog(const QImage& picture, const LandmarkSet& set,
                                                         QWidget* parent)
    : QDialog(parent) {
    setObjectName(QLatin1String(calibration_names::kDialog));
    setWindowTitle(tr("Background Picture"));
    auto* layout = new QVBoxLayout(this);
    auto* hint = new QLabel(tr("Pick a landmark, then click where it lies on the picture. Do so for two "
                               "landmarks far apart: the picture is then scaled and moved to fit both."));
    hint->setWordWrap(true);
    layout->addWidget(hint);
    mLandmarkBox = new QComboBox;
    mLandmarkBox->setObjectName(QLatin1String(calibration_names::kLandmarkBox));
    for (std::size_t i = 0; i < set.recordCount(); ++i) {
        const LandmarkRecord& record = set.record(i);
        const QString name = QString::fromStdString(decodeCp1252(record.nameBytes())).trimmed();
        //: A landmark to anchor the picture by: %1 its name, %2 its identifier.
        mLandmarkBox->addItem(tr("%1 (identifier %2)").arg(name).arg(record.landmarkId));
        mIds.push_back(record.landmarkId);
    }
    layout->addWidget(mLandmarkBox);
    auto* scroll = new QScrollArea;
    mPictureView = new AnchorPictureView(picture, *this);
    scroll->setWidget(mPictureView);
    layout->addWidget(scroll, 1);
    mAnchorText = new QLabel;
    // Room for both anchors' lines from the start, so that the second does not squeeze the first.
    mAnchorText->setMinimumHeight(2 * mAnchorText->fontMetrics().lineSpacing() + 4);
    layout->addWidget(mAnchorText);
    mButtons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(mButtons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(mButtons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(mButtons);
    resize(720, 560);
    showAnchors();
}

void BackgroundCalibrationDialog::pictureClicked(QPointF pixel) {
    const int row = mLandmarkBox->currentIndex();
    if (row < 0)
        return;
    if (mAnchors.size() == 2) {
        mAnchors.clear();
        mAnchorNames.clear();
    }
    mAnchors.push_back({mIds[static_cast<std::size_t>(row)], pixel});
    mAnchorNames.push_back(mLandmarkBox->currentText());
    showAnchors();
}

QWidget* BackgroundCalibrationDialog::pictureView() const {
    return mPictureView;
}

std::optional<BackgroundAnchors> BackgroundCalibrationDialog::anchors() const {
    if (mAnchors.size() != 2)
        return std::nullopt;
    return BackgroundAnchors{mAnchors[0], mAnchors[1]};
}

void BackgroundCalibrationDialog::showAnchors() {
    QStringList lines;
    std::vector<QPointF> pixels;
    for (std::size_t k = 0; k < mAnchors.size(); ++k) {
        //: %1 is 1 or 2, %2 the landmark, %3 and %4 the picture's pixel.
        lines << tr("Anchor %1: %2 at %3, %4")
                     .arg(k + 1)
                     .arg(mAnchorNames[k])
                     .arg(mAnchors[k].pixel.x())
                     .arg(mAnchors[k].pixel.y());
        pixels.push_back(mAnchors[k].pixel);
    }
    if (mAnchors.size() < 2)
        lines << tr("Anchor %1: not set").arg(mAnchors.size() + 1);
    mAnchorText->setText(lines.join(QLatin1Char('\n')));
    mPictureView->setAnchors(std::move(pixels));
    mButtons->button(QDialogButtonBox::Ok)->setEnabled(mAnchors.size() == 2);
}

} // namespace korvland
