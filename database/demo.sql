-- Demo data for both schemas. Loaded with the canteen schema as the default
-- database. Everything is dated relative to the day of loading, so a reset
-- gives fresh dates. Every table filled here is emptied first, so loading
-- the file again restores the demo state instead of failing on keys.
--
-- Logins: admin / admin (group ADMINISTRATOR), kasir / kasir (group KASIR).

SET NAMES utf8mb4;

TRUNCATE TABLE data_barang_order;
TRUNCATE TABLE data_barang_order_list;
TRUNCATE TABLE data_barang;
TRUNCATE TABLE set_waktu;
TRUNCATE TABLE set_cetakan;
TRUNCATE TABLE set_app;
TRUNCATE TABLE log_login;
TRUNCATE TABLE kode_komponen;
TRUNCATE TABLE set_kampus;
TRUNCATE TABLE data_pengguna_group;
TRUNCATE TABLE kode_menu;
TRUNCATE TABLE data_menu_master;
TRUNCATE TABLE data_pengguna_alias;
TRUNCATE TABLE log_password;
TRUNCATE TABLE data_transaksi;
TRUNCATE TABLE data_transaksi_madamat;
TRUNCATE TABLE data_cluster;
TRUNCATE TABLE data_bpr;
TRUNCATE TABLE `cashless-adm`.data_nasabah;
TRUNCATE TABLE `cashless-adm`.data_tabungan;
TRUNCATE TABLE `cashless-adm`.data_tabungan_trans;
TRUNCATE TABLE `cashless-adm`.data_madamat_master;

-- ---------------------------------------------------------------- code lists
-- Access kinds ("03") are stored as the first character of the chosen item,
-- so their codes have one character.
INSERT INTO kode_komponen (combo_komponen, combo_kode, combo_text) VALUES
  ('01', '1', 'ADMINISTRATOR'),
  ('01', '2', 'KASIR'),
  ('01', '3', 'STAF'),
  ('02', '1', 'Aktif'),
  ('02', '2', 'Non Aktif'),
  ('03', '1', 'FULL AKSES'),
  ('03', '2', 'TERBATAS'),
  ('03', '3', 'LIHAT SAJA');

INSERT INTO set_kampus (kampus_id, kampus_nama) VALUES
  (1, 'KAMPUS PUTRA'),
  (2, 'KAMPUS PUTRI');

-- The catalogue's edit loader reads one-character slot codes.
INSERT INTO set_waktu (waktu_id, waktu_nama) VALUES
  (1, 'PAGI'),
  (2, 'SIANG'),
  (3, 'MALAM');

INSERT INTO data_cluster (cluster_kode, cluster_nama) VALUES
  ('01', 'PUSAT'),
  ('02', 'ASRAMA');

INSERT INTO data_bpr (bpr_kode, bpr_nama) VALUES
  ('01', 'KANTOR PUSAT'),
  ('02', 'KANTOR ASRAMA');

-- ---------------------------------------------------------------- settings
INSERT INTO set_app (app_case, app_text) VALUES
  ('AppName',         'APLIKASI CAFE SINDARA'),
  ('Url',             'http://127.0.0.1/cafe'),
  ('Version',         '1.0.0'),
  ('Channel',         'CAFE'),
  ('NoRekening',      '1100000001'),
  ('LembagaNama',     'PONDOK PESANTREN SINDARA'),
  ('LembagaAlamat',   'Karangsela, Tanah Loka'),
  ('PinEnable',       '0'),
  ('LembagaTransKet', 'Transfer dari rekening lembaga'),
  ('LembagaTransID',  'SDR'),
  ('LembagaTransMax', '5000000');

-- A 40-column receipt.
INSERT INTO set_cetakan (cetakan_case, cetakan_text) VALUES
  ('StrukPanjangKertas', '40'),
  ('StrukTabKiri',       '0'),
  ('StrukHeader1',       'CAFE SINDARA'),
  ('StrukHeader2',       'PONDOK PESANTREN SINDARA'),
  ('StrukHeader3',       'Karangsela - Tanah Loka'),
  ('StrukHeader4',       'Telp. (0321) 555-0123'),
  ('StrukFooterText',    'Terima kasih'),
  ('StrukFooterText2',   'Selamat menikmati'),
  ('StrukTabBawah',      '3');

-- ---------------------------------------------------------------- menu items
INSERT INTO data_barang (barang_kode, barang_nama, barang_harga_pokok, barang_harga_jual,
                         barang_stok_harian, barang_waktu, barang_status,
                         barang_reg_date, barang_reg_alias) VALUES
  ('001', 'NASI UDUK',          6000,  9000,  40, 1, '1', NOW() - INTERVAL 30 DAY, 'admin'),
  ('002', 'NASI GORENG TELUR',  8000, 12000,  40, 3, '1', NOW() - INTERVAL 30 DAY, 'admin'),
  ('003', 'BUBUR AYAM',         5000,  8000,  30, 1, '1', NOW() - INTERVAL 30 DAY, 'admin'),
  ('004', 'LONTONG SAYUR',      5000,  8000,  30, 1, '1', NOW() - INTERVAL 30 DAY, 'admin'),
  ('005', 'ROTI BAKAR COKLAT',  4000,  7000,  25, 1, '1', NOW() - INTERVAL 30 DAY, 'admin'),
  ('006', 'NASI AYAM GORENG',  10000, 15000,  50, 2, '1', NOW() - INTERVAL 30 DAY, 'admin'),
  ('007', 'NASI RAWON',        10000, 15000,  35, 2, '1', NOW() - INTERVAL 30 DAY, 'admin'),
  ('008', 'SOTO AYAM',          8000, 12000,  40, 2, '1', NOW() - INTERVAL 30 DAY, 'admin'),
  ('009', 'MIE AYAM',           7000, 11000,  40, 2, '1', NOW() - INTERVAL 30 DAY, 'admin'),
  ('010', 'BAKSO',              8000, 12000,  40, 2, '1', NOW() - INTERVAL 30 DAY, 'admin'),
  ('011', 'GADO-GADO',          6000, 10000,  30, 2, '1', NOW() - INTERVAL 30 DAY, 'admin'),
  ('012', 'NASI PECEL',         6000,  9000,  30, 2, '1', NOW() - INTERVAL 30 DAY, 'admin'),
  ('013', 'NASI IKAN BAKAR',   12000, 18000,  25, 3, '1', NOW() - INTERVAL 30 DAY, 'admin'),
  ('014', 'MIE GORENG',         7000, 11000,  40, 3, '1', NOW() - INTERVAL 30 DAY, 'admin'),
  ('015', 'CAPCAY',             8000, 12000,  25, 3, '1', NOW() - INTERVAL 30 DAY, 'admin'),
  ('016', 'TAHU TEMPE PENYET',  5000,  8000,  30, 3, '1', NOW() - INTERVAL 30 DAY, 'admin'),
  ('017', 'ES TEH MANIS',       1500,  3000, 100, 2, '1', NOW() - INTERVAL 30 DAY, 'admin'),
  ('018', 'ES JERUK',           2500,  5000,  80, 2, '1', NOW() - INTERVAL 30 DAY, 'admin'),
  ('019', 'TEH HANGAT',         1000,  2500, 100, 1, '1', NOW() - INTERVAL 30 DAY, 'admin'),
  ('020', 'KOPI SUSU',          3000,  5000,  60, 1, '1', NOW() - INTERVAL 30 DAY, 'admin'),
  ('021', 'AIR MINERAL',        2000,  3500, 120, 2, '1', NOW() - INTERVAL 30 DAY, 'admin'),
  ('022', 'PISANG GORENG',      1000,  2000,  60, 3, '2', NOW() - INTERVAL 30 DAY, 'admin');

-- ------------------------------------------------------- menu rights, users
-- The label's digits are the entry's code without "mn": the rights editor
-- builds the stored code from the label.
INSERT INTO data_menu_master (menu_kode, menu_label, menu_status) VALUES
  ('mn01',   '01.SISTEM',               1),
  ('mn0101', '0101.GANTI PASSWORD',     1),
  ('mn0102', '0102.-',                  1),
  ('mn0119', '0119.KELUAR',             1),
  ('mn02',   '02.CAFE',                 1),
  ('mn0201', '0201.DATA GROUP',         1),
  ('mn0202', '0202.DATA PENGGUNA',      1),
  ('mn0203', '0203.LOG LOGIN',          1),
  ('mn0204', '0204.LOG GANTI PASSWORD', 1),
  ('mn0210', '0210.-',                  1),
  ('mn0211', '0211.SETUP WAKTU',        1),
  ('mn0212', '0212.SETUP MENU CAFE',    1),
  ('mn0220', '0220.-',                  1),
  ('mn0221', '0221.TRANSAKSI SAYYIDAT', 1),
  ('mn0230', '0230.-',                  1),
  ('mn0231', '0231.DAFTAR PESANAN',     1),
  ('mn0232', '0232.TRANSAKSI UMUM',     1),
  ('mn0233', '0233.LAPORAN TRANSAKSI',  1);

INSERT INTO data_pengguna_group VALUES
  (1, 'ADMINISTRATOR', '1', '', 'Semua menu',              NOW() - INTERVAL 30 DAY, '127.0.0.1', 'admin', NULL, '', ''),
  (2, 'KASIR',         '2', '', 'Penjualan cafe dan sistem', NOW() - INTERVAL 30 DAY, '127.0.0.1', 'admin', NULL, '', '');

-- As the rights editor writes them: one row per catalogue entry, in
-- catalogue order, granted or not.
INSERT INTO kode_menu (menu_group, menu_kode, menu_induk, menu_label, menu_set,
                       menu_reg_date, menu_reg_ip, menu_reg_alias)
SELECT 1, menu_kode, LEFT(menu_kode, 4), menu_label, '1',
       NOW() - INTERVAL 30 DAY, '127.0.0.1', 'admin'
  FROM data_menu_master WHERE menu_status = 1 ORDER BY menu_kode;

INSERT INTO kode_menu (menu_group, menu_kode, menu_induk, menu_label, menu_set,
                       menu_reg_date, menu_reg_ip, menu_reg_alias)
SELECT 2, menu_kode, LEFT(menu_kode, 4), menu_label,
       IF(menu_kode IN ('mn01', 'mn0101', 'mn0102', 'mn0119', 'mn02', 'mn0232'), '1', '0'),
       NOW() - INTERVAL 30 DAY, '127.0.0.1', 'admin'
  FROM data_menu_master WHERE menu_status = 1 ORDER BY menu_kode;

INSERT INTO data_pengguna_alias (user_id, user_alias, user_nama, user_group, user_jenis,
                                 user_status, user_keterangan, user_pwd,
                                 user_reg_date, user_reg_ip, user_reg_alias,
                                 user_exp_date, user_cluster, user_bpr) VALUES
  ('001', 'admin', 'ADMINISTRATOR SISTEM', 1, '1', '1', 'Akun demo', MD5('admin'),
   NOW() - INTERVAL 30 DAY, '127.0.0.1', 'admin', CURDATE() + INTERVAL 3 MONTH, '01', '01'),
  ('002', 'kasir', 'KASIR CAFE',           2, '2', '1', 'Akun demo', MD5('kasir'),
   NOW() - INTERVAL 30 DAY, '127.0.0.1', 'admin', CURDATE() + INTERVAL 3 MONTH, '01', '02');

INSERT INTO log_password (log_date, log_time, log_user, log_version) VALUES
  (CURDATE() - INTERVAL 5 DAY, '08:15:00', 'admin', '1.0.0');

-- ---------------------------------------------------------------- card system
INSERT INTO `cashless-adm`.data_nasabah (nasabah_id, nasabah_nama, nasabah_kelas) VALUES
  ('N0001', 'YAYASAN PONDOK PESANTREN SINDARA', NULL),
  ('N0101', 'AHMAD FAUZI',       '7A'),
  ('N0102', 'MUHAMMAD RIZKI',    '7A'),
  ('N0103', 'SITI AISYAH',       '7B'),
  ('N0104', 'NUR HALIZA',        '7B'),
  ('N0105', 'ABDUL HAKIM',       '8A'),
  ('N0106', 'FATIMAH AZZAHRA',   '8B'),
  ('N0107', 'UMAR FARUQ',        '9A'),
  ('N0108', 'ZAINAB MAHMUDAH',   '9B'),
  ('N0109', 'ILHAM RAMADHAN',    '10A'),
  ('N0110', 'KHADIJAH NURUL',    '10B'),
  ('N0201', 'USTADZAH MARYAM',   'STAF'),
  ('N0202', 'USTADZAH HALIMAH',  'STAF'),
  ('N0203', 'USTADZAH RUQAYYAH', 'STAF'),
  ('N0204', 'USTADZAH SALAMAH',  'STAF');

-- Institution 11..., students 21..., transfer destinations 31...
INSERT INTO `cashless-adm`.data_tabungan (tab_rekening, tab_nasabah) VALUES
  ('1100000001', 'N0001'),
  ('2100000001', 'N0101'), ('2100000002', 'N0102'), ('2100000003', 'N0103'),
  ('2100000004', 'N0104'), ('2100000005', 'N0105'), ('2100000006', 'N0106'),
  ('2100000007', 'N0107'), ('2100000008', 'N0108'), ('2100000009', 'N0109'),
  ('2100000010', 'N0110'),
  ('3100000001', 'N0201'), ('3100000002', 'N0202'), ('3100000003', 'N0203'),
  ('3100000004', 'N0204');

INSERT INTO `cashless-adm`.data_madamat_master (madamat_kode, madamat_rekening, madamat_keterangan) VALUES
  ('SY01', '3100000001', 'Pengasuh asrama putri'),
  ('SY02', '3100000002', 'Pengasuh asrama putri'),
  ('SY03', '3100000003', 'Dapur'),
  ('SY04', '3100000004', 'Kebersihan');

-- Opening deposits: the institution a month ago, everyone else ten days ago.
INSERT INTO `cashless-adm`.data_tabungan_trans
  (trans_id, trans_tanggal, trans_kode, trans_kantor, trans_rekening, trans_nasabah,
   trans_channel, trans_rfid, trans_jumlah_masuk, trans_uraian, trans_status,
   trans_reg_date, trans_reg_time, trans_reg_alias)
SELECT CONCAT('SAL', DATE_FORMAT(d.tgl, '%Y%m%d'), LPAD(d.nomor, 4, '0')),
       d.tgl, '01', '01', t.tab_rekening, t.tab_nasabah,
       'TELLER', '', d.jumlah, 'Setoran awal', 1,
       d.tgl, d.tgl + INTERVAL 8 HOUR, 'teller'
  FROM `cashless-adm`.data_tabungan t
  JOIN (SELECT tab_rekening,
               IF(tab_rekening = '1100000001', CURDATE() - INTERVAL 30 DAY, CURDATE() - INTERVAL 10 DAY) AS tgl,
               IF(tab_rekening = '1100000001', 25000000, IF(tab_rekening LIKE '21%', 300000, 150000)) AS jumlah,
               ROW_NUMBER() OVER (ORDER BY tab_rekening) AS nomor
          FROM `cashless-adm`.data_tabungan) d ON d.tab_rekening = t.tab_rekening;

-- One earlier institution transfer, booked the way the transfer window books it.
SET @tgl = CURDATE() - INTERVAL 3 DAY;
SET @waktu = @tgl + INTERVAL 10 HOUR;
SET @n = CONCAT('SDR', DATE_FORMAT(@tgl, '%Y%m%d'));
INSERT INTO `cashless-adm`.data_tabungan_trans
  (trans_id, trans_tanggal, trans_kode, trans_kantor, trans_rekening, trans_nasabah,
   trans_channel, trans_rfid, trans_jumlah_masuk, trans_jumlah_keluar, trans_saldo_akhir,
   trans_ob_jenis, trans_ob_rekening, trans_uraian, trans_status,
   trans_reg_date, trans_reg_time, trans_reg_alias) VALUES
  (CONCAT(@n, '0001'), @tgl, '14', '01', '1100000001', 'N0001', 'CAFE', '', 0, 500000, 24500000,
   1, '3100000001', 'Tarik dari 1100000001 a.n USTADZAH MARYAM', 0, @tgl, @waktu, 'SDR|admin'),
  (CONCAT(@n, '0002'), @tgl, '15', '01', '3100000001', 'N0201', 'CAFE', '', 500000, 0, NULL,
   1, '1100000001', 'Setor dari 1100000001 a.n USTADZAH MARYAM', 0, @tgl, @waktu, 'SDR|admin');
INSERT INTO data_transaksi_madamat
  (trans_id, trans_tanggal, trans_kode, trans_kantor, trans_rekening, trans_nasabah,
   trans_nasabah_nama, trans_nasabah_kelas, trans_channel, trans_rfid, trans_jumlah,
   trans_saldo_awal, trans_saldo_akhir, trans_uraian, trans_status,
   trans_reg_date, trans_reg_time, trans_reg_alias) VALUES
  (CONCAT(@n, '0001'), @tgl, '14', '01', '', 'N0201', 'USTADZAH MARYAM', 'STAF', 'CAFE', '', 500000,
   25000000, 24500000, 'Tarik dari 1100000001 a.n USTADZAH MARYAM', 0, @tgl, @waktu, 'admin');

-- ---------------------------------------------------------------- orders
-- Seven days up to today: each day some student orders paid by card (header,
-- lines, canteen transaction row, paying posting) and two walk-in sales.
-- Deterministic, so every reset shows the same pattern; today's quantities
-- stay far below every item's daily stock. One student order is cancelled.
DELIMITER //
DROP PROCEDURE IF EXISTS demo_isi_pesanan //
CREATE PROCEDURE demo_isi_pesanan()
BEGIN
  DECLARE v_hari INT DEFAULT 6;
  DECLARE v_i INT;
  DECLARE v_n INT;
  DECLARE v_j INT;
  DECLARE v_baris INT;
  DECLARE v_seq INT DEFAULT 0;
  DECLARE v_status INT;
  DECLARE v_umum BOOLEAN;
  DECLARE v_waktu DATETIME;
  DECLARE v_kode VARCHAR(30);
  DECLARE v_rek VARCHAR(20);
  DECLARE v_nasabah VARCHAR(20);
  DECLARE v_nama VARCHAR(100);
  DECLARE v_kelas VARCHAR(20);
  DECLARE v_alias VARCHAR(60);
  DECLARE v_total DECIMAL(15,2);

  WHILE v_hari >= 0 DO
    SET v_n = 4 + v_hari MOD 3;
    SET v_i = 1;
    WHILE v_i <= v_n + 2 DO
      SET v_seq = v_seq + 1;
      SET v_umum = v_i > v_n;
      SET v_status = IF(v_hari = 2 AND v_i = 1, 9, 1);
      IF v_hari = 0 THEN
        -- today's orders lie between midnight and the moment of loading
        SET v_waktu = CURDATE() + INTERVAL FLOOR(TIME_TO_SEC(CURTIME()) * v_i / (v_n + 3)) SECOND;
      ELSE
        SET v_waktu = CURDATE() - INTERVAL v_hari DAY + INTERVAL (6 * 3600 + v_i * 2700) SECOND;
      END IF;
      SET v_kode = CONCAT('ODR', DATE_FORMAT(v_waktu, '%y%m%d%H%i%s'),
                          100000 + (v_seq * 7919) MOD 900000);

      IF v_umum THEN
        SET v_rek = 'umum';
        SET v_nama = ELT(1 + v_seq MOD 5, 'BAPAK AHMAD', 'IBU SITI', 'TAMU ASRAMA', 'BAPAK YUSUF', 'IBU RAHMA');
        SET v_kelas = NULL;
        SET v_alias = 'kasir';
      ELSE
        SET v_rek = CONCAT('21', LPAD(1 + (v_seq - 1) MOD 10, 8, '0'));
        SELECT n.nasabah_id, n.nasabah_nama, n.nasabah_kelas
          INTO v_nasabah, v_nama, v_kelas
          FROM `cashless-adm`.data_tabungan t
          JOIN `cashless-adm`.data_nasabah n ON n.nasabah_id = t.tab_nasabah
         WHERE t.tab_rekening = v_rek;
        SET v_alias = 'CASHLESS';
      END IF;

      INSERT INTO data_barang_order
        (order_kode, order_tanggal, order_rekening, order_nama, order_kelas, order_harga,
         order_waktu, order_kampus, order_status, order_reg_date, order_reg_alias)
      VALUES
        (v_kode, DATE(v_waktu), v_rek, v_nama, v_kelas, 0,
         IF(v_umum, NULL, 1 + v_i MOD 3), ELT(1 + v_seq MOD 2, 'KAMPUS PUTRA', 'KAMPUS PUTRI'),
         v_status, v_waktu, v_alias);

      SET v_baris = 1 + v_seq MOD 3;
      SET v_j = 1;
      WHILE v_j <= v_baris DO
        INSERT INTO data_barang_order_list
          (list_order, list_barang, list_barang_nama, list_harga, list_qty, list_jumlah,
           list_status, list_reg_date, list_reg_alias)
        SELECT v_kode, barang_kode, barang_nama, barang_harga_jual,
               1 + (v_seq + v_j) MOD 2, barang_harga_jual * (1 + (v_seq + v_j) MOD 2),
               v_status, v_waktu, v_alias
          FROM data_barang
         WHERE barang_kode = LPAD(1 + (v_seq * 5 + v_j * 7) MOD 22, 3, '0');
        SET v_j = v_j + 1;
      END WHILE;

      SET v_total = (SELECT SUM(list_jumlah) FROM data_barang_order_list WHERE list_order = v_kode);
      UPDATE data_barang_order SET order_harga = v_total WHERE order_kode = v_kode;

      IF NOT v_umum THEN
        INSERT INTO data_transaksi
          (trans_id, trans_tanggal, trans_order, trans_rekening, trans_jumlah, trans_status,
           trans_reg_date, trans_reg_alias)
        VALUES
          (CONCAT('TRX', DATE_FORMAT(v_waktu, '%Y%m%d'), LPAD(v_seq, 4, '0')), DATE(v_waktu),
           v_kode, v_rek, v_total, v_status, v_waktu, v_alias);

        INSERT INTO `cashless-adm`.data_tabungan_trans
          (trans_id, trans_tanggal, trans_kode, trans_kantor, trans_rekening, trans_nasabah,
           trans_channel, trans_rfid, trans_jumlah_keluar, trans_kuitansi, trans_uraian,
           trans_status, trans_reg_date, trans_reg_time, trans_reg_alias)
        VALUES
          (CONCAT('KSL', DATE_FORMAT(v_waktu, '%Y%m%d'), LPAD(v_seq, 4, '0')), DATE(v_waktu),
           '21', '01', v_rek, v_nasabah, 'CAFE', CONCAT('RF', v_rek), v_total, v_kode,
           CONCAT('Belanja cafe ', v_kode), v_status, DATE(v_waktu), v_waktu, v_alias);
      END IF;

      SET v_i = v_i + 1;
    END WHILE;
    SET v_hari = v_hari - 1;
  END WHILE;
END //
DELIMITER ;

CALL demo_isi_pesanan();
DROP PROCEDURE demo_isi_pesanan;

CALL `cashless-adm`.HitungTabSaldoAll();
