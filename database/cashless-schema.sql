-- The card system's side, as far as the canteen client reads and writes it.
-- Loaded with `cashless-adm` as the default database.

SET NAMES utf8mb4;

-- Account holders (students, staff, the institution itself).
CREATE TABLE IF NOT EXISTS data_nasabah (
  nasabah_id    VARCHAR(20)  NOT NULL,
  nasabah_nama  VARCHAR(100) NOT NULL,
  nasabah_kelas VARCHAR(20)  NULL,
  PRIMARY KEY (nasabah_id)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4;

-- Savings accounts; tab_saldo is rewritten by HitungTabSaldoAll.
CREATE TABLE IF NOT EXISTS data_tabungan (
  tab_rekening  VARCHAR(20)   NOT NULL,
  tab_nasabah   VARCHAR(20)   NOT NULL,
  tab_saldo     DECIMAL(15,2) NOT NULL DEFAULT 0,
  tab_saldo_upd DATETIME      NULL,
  PRIMARY KEY (tab_rekening),
  KEY idx_tabungan_nasabah (tab_nasabah)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4;

-- Postings. A transfer leaves trans_kuitansi and one of the two amounts
-- unwritten, hence the NULLs and zero defaults.
CREATE TABLE IF NOT EXISTS data_tabungan_trans (
  trans_id            VARCHAR(30)   NOT NULL,
  trans_tanggal       DATE          NOT NULL,
  trans_kode          VARCHAR(4)    NULL,
  trans_kantor        VARCHAR(4)    NULL,
  trans_rekening      VARCHAR(20)   NOT NULL,
  trans_nasabah       VARCHAR(20)   NULL,
  trans_channel       VARCHAR(20)   NULL,
  trans_rfid          VARCHAR(30)   NULL,
  trans_jumlah_masuk  DECIMAL(15,2) NOT NULL DEFAULT 0,
  trans_jumlah_keluar DECIMAL(15,2) NOT NULL DEFAULT 0,
  trans_saldo_akhir   DECIMAL(15,2) NULL,
  trans_ob_jenis      TINYINT       NULL,
  trans_ob_rekening   VARCHAR(20)   NULL,
  trans_kuitansi      VARCHAR(30)   NULL,
  trans_uraian        VARCHAR(255)  NULL,
  trans_status        TINYINT       NOT NULL DEFAULT 0,
  trans_reg_date      DATE          NULL,
  trans_reg_time      DATETIME      NULL,
  trans_reg_alias     VARCHAR(60)   NULL,
  PRIMARY KEY (trans_id),
  KEY idx_trans_rekening (trans_rekening, trans_tanggal),
  KEY idx_trans_kuitansi (trans_kuitansi)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4;

-- Accounts that institution transfers may go to.
CREATE TABLE IF NOT EXISTS data_madamat_master (
  madamat_kode       VARCHAR(10)  NOT NULL,
  madamat_rekening   VARCHAR(20)  NOT NULL,
  madamat_keterangan VARCHAR(100) NULL,
  PRIMARY KEY (madamat_kode)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4;

-- Texts of posting status codes (0 transfer, 1 active, 9 cancelled).
CREATE TABLE IF NOT EXISTS kode_status_trans (
  status_kode TINYINT     NOT NULL,
  status_text VARCHAR(30) NOT NULL,
  PRIMARY KEY (status_kode)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4;

-- The status texts are reference data the routines depend on, not demo data.
INSERT IGNORE INTO kode_status_trans (status_kode, status_text) VALUES
  (0, 'SUKSES'),
  (1, 'AKTIF'),
  (9, 'BATAL');
